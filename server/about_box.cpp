#include "server/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/version.h"
#include "server/server_strings.h"

namespace tarvel::server {

AboutBox::AboutBox(int language, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ServerText(language, kTextAboutCaption));
    auto* ok = new QPushButton(ServerText(language, kTextOk), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutBox::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ServerText(language, kTextProduct), this));
    // The number first, then the word, as the server always wrote it.
    const std::string_view number = ProgramVersion();
    auto* version = new QLabel(QString::fromUtf8(number.data(), static_cast<qsizetype>(number.size())) +
                                   QLatin1Char(' ') + ServerText(language, kTextVersionWord),
                               this);
    version->setObjectName("Version");
    layout->addWidget(version);
    layout->addWidget(ok);
}

}  // namespace tarvel::server
