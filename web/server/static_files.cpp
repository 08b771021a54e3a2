#include "web/server/static_files.h"

namespace tarvel::web {
namespace {

std::set<QString> Names(const QDir& folder, const QStringList& patterns) {
    const QStringList names = folder.entryList(patterns, QDir::Files | QDir::Readable);
    return {names.begin(), names.end()};
}

QByteArray TypeOf(const QString& name) {
    if (name.endsWith(QLatin1String(".html"))) return "text/html; charset=utf-8";
    if (name.endsWith(QLatin1String(".js"))) return "text/javascript; charset=utf-8";
    if (name.endsWith(QLatin1String(".css"))) return "text/css; charset=utf-8";
    if (name.endsWith(QLatin1String(".opus"))) return "audio/ogg";
    if (name.endsWith(QLatin1String(".mp3"))) return "audio/mpeg";
    if (name.endsWith(QLatin1String(".bmp"))) return "image/bmp";
    return "application/octet-stream";
}

}  // namespace

StaticFiles::StaticFiles(const QDir& gameFolder)
    : folder_(gameFolder),
      page_(Names(QDir(gameFolder.filePath(QStringLiteral("web"))), {QStringLiteral("*.html"), QStringLiteral("*.js"),
                                                                       QStringLiteral("*.css")})),
      recordings_(Names(QDir(gameFolder.filePath(QStringLiteral("zvuky"))),
                        {QStringLiteral("*.opus"), QStringLiteral("*.mp3")})),
      pictures_(Names(QDir(gameFolder.filePath(QStringLiteral("karty"))), {QStringLiteral("*.bmp")})) {}

std::optional<ServedFile> StaticFiles::Find(const std::string& requestPath) const {
    const QString path = QString::fromStdString(requestPath == "/" ? "/index.html" : requestPath);
    const qsizetype slash = path.lastIndexOf(QChar('/'));
    const QString folder = path.left(slash);
    const QString name = path.mid(slash + 1);
    // The page changes with each build, the recordings and pictures only with the set-up.
    if (folder.isEmpty() && page_.contains(name)) {
        return ServedFile{folder_.filePath(QStringLiteral("web/") + name), TypeOf(name), "no-cache"};
    }
    if (folder == QLatin1String("/zvuky") && recordings_.contains(name)) {
        return ServedFile{folder_.filePath(QStringLiteral("zvuky/") + name), TypeOf(name), "max-age=86400"};
    }
    if (folder == QLatin1String("/karty") && pictures_.contains(name)) {
        return ServedFile{folder_.filePath(QStringLiteral("karty/") + name), TypeOf(name), "max-age=86400"};
    }
    return std::nullopt;
}

}  // namespace tarvel::web
