// The head of an HTTP request as tarvelweb reads it: only what serving a few files and
// upgrading to a WebSocket needs, from bytes a hostile peer may have chosen.
#pragma once

#include <QByteArray>
#include <map>
#include <optional>
#include <string>

namespace tarvel::web {

// The most a request head may take; a longer one is refused.
inline constexpr qsizetype kRequestHeadLimit = 8192;

struct RequestHead {
    std::string method;
    std::string path;  // percent-decoded, without the query
    std::map<std::string, std::string> headers;  // names in lower case, blanks trimmed from values

    std::string Header(const std::string& lowerCaseName) const;
    bool WantsWebSocket() const;
};

struct ParsedHead {
    std::optional<RequestHead> head;
    int status = 0;      // when there is none: the HTTP status to answer with
    std::string reason;  // and why, for the answer's text
};

// The length of the head at the start of `bytes`, its blank line included; 0 while the
// blank line has not arrived.
qsizetype HeadLength(const QByteArray& bytes);

ParsedHead ParseRequestHead(const QByteArray& head);

}  // namespace tarvel::web
