// Whether a JSON object is a well-formed message of a given set: a known "type", every
// required field there, no member the message does not have, each of its kind, texts
// within their length and free of control characters. Used on everything a page sends,
// and by the tests on everything tarvelweb sends.
#pragma once

#include <QJsonObject>
#include <span>
#include <string>

#include "web/messages/message_set.h"

namespace tarvel::web {

struct MessageCheck {
    const MessageSpec* spec = nullptr;  // the message, when it is well formed
    std::string error;                  // else why not, in words for the close reason
};

MessageCheck CheckMessage(const QJsonObject& object, std::span<const MessageSpec> messages);

}  // namespace tarvel::web
