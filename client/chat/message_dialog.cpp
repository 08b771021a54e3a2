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
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(LocalizedCaption(localizer, kTextCaption));

    textzpravy = new QLineEdit(this);
    textzpravy->setObjectName("textzpravy");
    textzpravy->setMaxLength(static_cast<int>(kChatLineLength));
    // The field has no label of its own; the screen reader names it after the dialog.
    textzpravy->setAccessibleName(LocalizedCaption(localizer, kTextCaption));
    textzpravy->setMinimumWidth(textzpravy->fontMetrics().averageCharWidth() *
                                static_cast<int>(kChatLineLength));

    poslatbitbtn = new QPushButton(LocalizedCaption(localizer, kTextOk), this);
    poslatbitbtn->setObjectName("poslatbitbtn");
    poslatbitbtn->setDefault(true);
    BitBtn2 = new QPushButton(LocalizedCaption(localizer, text::kCancelMessage), this);
    BitBtn2->setObjectName("BitBtn2");
    connect(poslatbitbtn, &QPushButton::clicked, this, &MessageDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &MessageDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(poslatbitbtn);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textzpravy);
    layout->addLayout(buttons);
}

std::optional<std::string> MessageDialog::Ask() {
    textzpravy->clear();
    textzpravy->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    std::string message = textzpravy->text().toStdString();
    if (!HasWords(message)) return std::nullopt;
    return message;
}

}  // namespace tarvel
