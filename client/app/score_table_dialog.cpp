#include "client/app/score_table_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "session/scores/score_texts.h"

namespace tarvel {
namespace {

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

QPushButton* Button(QWidget* parent, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void Offer(QPushButton* button, bool shown) {
    button->setEnabled(shown);
    button->setVisible(shown);
}

}  // namespace

ScoreTableDialog::ScoreTableDialog(const Localizer& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tform6"));
    setWindowTitle(Text(texts, score_text::kTableDialogCaption));
    tableText_ = new QPlainTextEdit(this);
    tableText_->setObjectName(QStringLiteral("tabulkamemo"));
    tableText_->setReadOnly(true);
    tableText_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    tableText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    tableText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    tableText_->setAccessibleName(Text(texts, score_text::kTableDialogCaption));
    tableText_->setMinimumSize(560, 260);

    writetabbutton_ = Button(this, Text(texts, score_text::kWriteButton), "writetabbutton");
    continuegamebutton_ = Button(this, Text(texts, score_text::kContinueButton), "continuegamebutton");
    closebitbtn_ = Button(this, Text(texts, score_text::kCloseButton), "closebitbtn");
    connect(continuegamebutton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(closebitbtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(writetabbutton_, &QPushButton::clicked, this, [this] {
        if (!onWrite) return;
        if (const auto written = onWrite()) SetView(*written);
        tableText_->setFocus();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(writetabbutton_);
    buttons->addWidget(continuegamebutton_);
    buttons->addWidget(closebitbtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tableText_);
    layout->addLayout(buttons);
}

void ScoreTableDialog::SetView(const ScoreTableView& view) {
    tableText_->setPlainText(QString::fromStdString(view.Text()));
    Offer(writetabbutton_, view.buttons.write);
    Offer(continuegamebutton_, view.buttons.continueGame);
    Offer(closebitbtn_, view.buttons.close);
}

void ScoreTableDialog::ShowModally(const ScoreTableView& view) {
    SetView(view);
    tableText_->setFocus();
    exec();
}

}  // namespace tarvel
