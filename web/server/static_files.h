// The files a browser may fetch: the page from web/, the recordings' browser copies from
// zvuky/ and the card pictures from karty/, all beside the program. Which names exist is
// read once at start, so a request can only ever name one of them.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <optional>
#include <set>
#include <string>

namespace tarvel::web {

struct ServedFile {
    QString path;
    QByteArray contentType;
    QByteArray cacheControl;
};

class StaticFiles {
  public:
    explicit StaticFiles(const QDir& gameFolder);

    // The file a request path names; nothing for any other path.
    std::optional<ServedFile> Find(const std::string& requestPath) const;

    bool HasPage() const { return !page_.empty(); }
    std::size_t RecordingCount() const { return recordings_.size(); }

  private:
    QDir folder_;
    std::set<QString> page_;
    std::set<QString> recordings_;
    std::set<QString> pictures_;
};

}  // namespace tarvel::web
