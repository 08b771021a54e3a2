#include "client/net/waiting_dialog.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/texts/client_texts.h"
#include "client/dialogs/localized_caption.h"
#include "client/net/net_dialog_captions.h"

namespace tarvel {

namespace {

// Indices of the dialog's texts in the string table.
constexpr std::int32_t kTextProductName = 1;
constexpr std::int32_t kTextCancel = 48;
constexpr std::int32_t kTextWaitForOpponent = 118;

void Announce(QObject* object, QAccessible::Event change) {
    QAccessibleEvent event(object, change);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

WaitingDialog::WaitingDialog(const Localizer& localizer, QWidget* parent)
    : QDialog(parent), localizer_(localizer) {
    setObjectName(QStringLiteral("waitingDialog"));
    setWindowTitle(LocalizedCaption(localizer_, kTextProductName));

    textlabel = new QLabel(this);
    textlabel->setObjectName(QStringLiteral("textlabel"));
    textlabel->setWordWrap(true);
    textlabel->setTextFormat(Qt::PlainText);  // a socket layer's message is never markup
    abortButton_ = new QPushButton(LocalizedCaption(localizer_, kTextCancel), this);
    abortButton_->setObjectName(QStringLiteral("abortButton"));
    abortButton_->setAccessibleName(net_dialogs::WithoutAccelerator(abortButton_->text()));
    abortButton_->setDefault(true);
    connect(abortButton_, &QPushButton::clicked, this, &WaitingDialog::reject);
    SetMessage(LocalizedCaption(localizer_, kTextWaitForOpponent));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(abortButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textlabel);
    layout->addLayout(buttons);
}

void WaitingDialog::open() {
    SetMessage(LocalizedCaption(localizer_, kTextWaitForOpponent));
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    abortButton_->setFocus(Qt::OtherFocusReason);
}

void WaitingDialog::CloseQuietly() {
    if (isVisible()) QDialog::accept();
}

void WaitingDialog::reject() {
    if (!isVisible()) return;
    QDialog::reject();
    emit aborted();
}

void WaitingDialog::ShowNoAnswerYet() {
    SetMessage(LocalizedCaption(localizer_, text::kServerNotAnsweringYet));
}

void WaitingDialog::ShowError(const QString& message) {
    SetMessage(message);
}

QString WaitingDialog::Message() const {
    return textlabel->text();
}

void WaitingDialog::SetMessage(const QString& message) {
    if (message == textlabel->text()) return;
    textlabel->setText(message);
    // The label never has the focus; the dialog's description and the focused button's
    // carry the text, so a screen reader reads the change where the player is.
    textlabel->setAccessibleName(message);
    setAccessibleDescription(message);
    abortButton_->setAccessibleDescription(message);
    Announce(textlabel, QAccessible::NameChanged);
    Announce(this, QAccessible::DescriptionChanged);
    Announce(abortButton_, QAccessible::DescriptionChanged);
}

}  // namespace tarvel
