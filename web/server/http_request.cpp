#include "web/server/http_request.h"

#include <QByteArrayList>
#include <QUrl>
#include <algorithm>

namespace tarvel::web {
namespace {

ParsedHead Refuse(int status, std::string reason) {
    return {std::nullopt, status, std::move(reason)};
}

std::string Lower(QByteArray text) {
    return text.toLower().toStdString();
}

bool HasToken(const std::string& list, const std::string& token) {
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        std::string item = list.substr(start, end - start);
        item.erase(0, item.find_first_not_of(" \t"));
        item.erase(item.find_last_not_of(" \t") + 1);
        std::transform(item.begin(), item.end(), item.begin(), [](unsigned char c) { return std::tolower(c); });
        if (item == token) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string RequestHead::Header(const std::string& lowerCaseName) const {
    const auto found = headers.find(lowerCaseName);
    return found == headers.end() ? std::string{} : found->second;
}

bool RequestHead::WantsWebSocket() const {
    return HasToken(Header("upgrade"), "websocket") && HasToken(Header("connection"), "upgrade");
}

qsizetype HeadLength(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    return end < 0 ? 0 : end + 4;
}

ParsedHead ParseRequestHead(const QByteArray& head) {
    if (head.size() > kRequestHeadLimit) return Refuse(431, "the request head is too long");
    QByteArrayList lines = head.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) line.chop(1);
    }
    const QByteArrayList requestLine = lines.value(0).split(' ');
    if (requestLine.size() != 3 || !requestLine[2].startsWith("HTTP/1.")) {
        return Refuse(400, "the request line is not understood");
    }
    RequestHead parsed;
    parsed.method = requestLine[0].toStdString();
    const QByteArray target = requestLine[1];
    if (!target.startsWith('/')) return Refuse(400, "the path does not start with /");
    const QByteArray rawPath = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
    const QString decoded = QUrl::fromPercentEncoding(rawPath);
    // A path is a plain name below the root: no climbing, no hidden files, no odd bytes.
    if (decoded.contains(QStringLiteral("/.")) || decoded.contains(QChar('\\')) ||
        std::any_of(decoded.begin(), decoded.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }) ||
        decoded.contains(QChar::ReplacementCharacter)) {
        return Refuse(400, "the path is not allowed");
    }
    parsed.path = decoded.toStdString();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.isEmpty()) continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) return Refuse(400, "a header line is not understood");
        const std::string name = Lower(line.left(colon).trimmed());
        if (parsed.headers.contains(name)) {
            // One value is all these few headers may have; a repeat is someone's trick.
            return Refuse(400, "the header " + name + " is given twice");
        }
        parsed.headers.emplace(name, line.mid(colon + 1).trimmed().toStdString());
    }
    return {std::move(parsed), 0, {}};
}

}  // namespace tarvel::web
