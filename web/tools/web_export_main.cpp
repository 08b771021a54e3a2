// Prints the page's generated TypeScript modules into a folder: the message set and the
// texts, from the C++ tables that are their only source.
//   tarvel_web_export FOLDER
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>
#include <string>

#include "web/messages/typescript_export.h"
#include "web/texts/page_texts.h"

namespace {

// Rewritten only when it differs, so the bundle is not made again for nothing.
bool WriteIfChanged(const QString& path, const std::string& text) {
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == QByteArray::fromStdString(text)) return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.commit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvel_web_export FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "tarvel_web_export: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    for (const auto& [name, text] : {std::pair{"messages.ts", tarvel::web::MessagesTypeScript()},
                                     std::pair{"texts.ts", tarvel::web::TextsTypeScript()}}) {
        if (!WriteIfChanged(folder.filePath(QString::fromLatin1(name)), text)) {
            std::fprintf(stderr, "tarvel_web_export: cannot write %s in %s\n", name, argv[1]);
            return 1;
        }
    }
    return 0;
}
