#include "client/app/help_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "session/texts/client_texts.h"
#include "client/app/help_text.h"

namespace tarvel {
namespace {

constexpr int kTextClose = 87;  // "Za&vřít"

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

}  // namespace

HelpWindow::HelpWindow(const Localizer& texts, QWidget* parent) : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Text(texts, text::kHelpCaption));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("helptext"));
    text_->setReadOnly(true);
    // A caret the arrows move, so a screen reader reads line by line.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text_->setAccessibleName(Text(texts, text::kHelpCaption));
    text_->setMinimumSize(640, 420);
    auto* close = new QPushButton(Text(texts, kTextClose), this);
    close->setObjectName(QStringLiteral("closebutton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(close);
}

void HelpWindow::ShowHelp(const QString& fullText) {
    const bool english = texts_.LanguageBase() == kEnglishLanguageBase;
    text_->setPlainText(QString::fromStdString(HelpTextInLanguage(fullText.toStdString(), english)));
    text_->moveCursor(QTextCursor::Start);
    text_->setFocus();
    exec();
}

}  // namespace tarvel
