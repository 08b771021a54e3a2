#include "web/messages/page_request.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "web/messages/message_check.h"

namespace tarvel::web {
namespace {

std::string Member(const QJsonObject& object, std::string_view name) {
    return object.value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))).toString().toStdString();
}

bool IsSecret(const std::string& text) {
    return text.size() == static_cast<std::size_t>(kSecretLength) &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

ParsedRequest Refuse(std::string error) {
    return {std::nullopt, std::move(error)};
}

}  // namespace

ParsedRequest ParsePageRequest(const QByteArray& frame) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(frame, &parseError);
    if (parseError.error != QJsonParseError::NoError) return Refuse("the message is not JSON");
    if (!document.isObject()) return Refuse("the message is not a JSON object");
    const QJsonObject object = document.object();
    const MessageCheck check = CheckMessage(object, PageMessages());
    if (check.spec == nullptr) return Refuse(check.error);

    if (check.spec == &Spec(PageMessage::Hello)) {
        HelloRequest hello{Member(object, field::kLanguage), Member(object, field::kResume)};
        if (hello.language != "cs" && hello.language != "en") return Refuse("hello: the language is not cs or en");
        if (!hello.resume.empty() && !IsSecret(hello.resume)) return Refuse("hello: resume is not a session secret");
        return {hello, {}};
    }
    if (check.spec == &Spec(PageMessage::Command)) {
        // The check has made sure the name is one of them.
        const std::string name = Member(object, field::kName);
        const auto names = GameCommandNames();
        const auto found = std::find(names.begin(), names.end(), name);
        return {CommandRequest{static_cast<GameCommand>(found - names.begin())}, {}};
    }
    return {ScoreNameRequest{Member(object, field::kName)}, {}};
}

}  // namespace tarvel::web
