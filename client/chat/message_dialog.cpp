#include "client/chat/message_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/chat/chat_line.h"
#include "session/texts/client_texts.h"
#include "client/dialogs/localized_caption.h"

namespace tarvel {
namespace {

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextOk = 47;
constexpr std::int32_t kTextCaption = 110;

}  // namespace

MessageDialog::MessageDialog(const Localizer& localizer, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("messageDialog"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    messageEdit_ = new QLineEdit(this);
    messageEdit_->setObjectName("messageEdit");
    messageEdit_->setMaxLength(static_cast<int>(kChatLineLength));
    // The field has no label of its own; the screen reader names it after the dialog.
    messageEdit_->setAccessibleName(LocalizedCaption(localizer, kTextCaption));
    messageEdit_->setMinimumWidth(messageEdit_->fontMetrics().averageCharWidth() *
                                static_cast<int>(kChatLineLength));

    sendButton_ = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    sendButton_->setObjectName("sendButton");
    sendButton_->setDefault(true);
    cancelButton_ = new QPushButton(LocalizedCaption(localizer, text::kCancelMessage), this);
    cancelButton_->setObjectName("cancelButton");
    connect(sendButton_, &QPushButton::clicked, this, &MessageDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &MessageDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sendButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(messageEdit_);
    layout->addLayout(buttons);
}

std::optional<std::string> MessageDialog::Ask() {
    messageEdit_->clear();
    messageEdit_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    std::string message = messageEdit_->text().toStdString();
    if (!HasWords(message)) return std::nullopt;
    return message;
}

}  // namespace tarvel
