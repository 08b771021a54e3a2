#include "server/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "server/server_strings.h"

namespace tarvel::server {

AboutBox::AboutBox(int language, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ServerText(language, kTextAboutCaption));
    auto* ok = new QPushButton(ServerText(language, kTextOk), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ServerText(language, kTextProduct), this));
    layout->addWidget(new QLabel(QStringLiteral("1.0 ") + ServerText(language, kTextVersionWord), this));
    layout->addWidget(ok);
}

}  // namespace tarvel::server
