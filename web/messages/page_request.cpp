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

QJsonValue Value(const QJsonObject& object, std::string_view name) {
    return object.value(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

// A count the rules can play with, or nothing.
std::optional<std::uint8_t> Count(const QJsonObject& object, std::string_view name, const CountRange& range) {
    const int value = Value(object, name).toInt(-1);
    if (value < 0 || value > 255 || !range.Holds(static_cast<std::uint8_t>(value))) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

ParsedRequest ParseSettings(const QJsonObject& object) {
    GameOptions options;
    const auto pickup = Count(object, field::kPickupForSeven, kPickupForSevenRange);
    const auto games = Count(object, field::kNumberOfGames, kNumberOfGamesRange);
    const auto dealt = Count(object, field::kDealtCards, kDealtCardsRange);
    const auto level = Count(object, field::kComputerLevel, kComputerLevelRange);
    if (!pickup) return Refuse("settings: pickupForSeven is not 2 or 3");
    if (!games) return Refuse("settings: numberOfGames is not 0 to 99");
    if (!dealt) return Refuse("settings: dealtCards is not 4 to 10");
    if (!level) return Refuse("settings: computerLevel is not 0 or 1");
    const std::string gender = Member(object, field::kGender);
    if (gender != "m" && gender != "z") return Refuse("settings: gender is not m or z");
    options.pickupforseven = *pickup;
    options.numberofgames = *games;
    options.dealtcards = *dealt;
    options.computerlevel = *level;
    options.playergender = gender;
    options.kingofspades = Value(object, field::kKingOfSpades).toBool();
    options.returntogame = Value(object, field::kReturnToGame).toBool();
    options.playforpoints = Value(object, field::kPlayForPoints).toBool();
    options.compulsory = Value(object, field::kCompulsory).toBool();
    options.shufflecards = Value(object, field::kShuffleCards).toBool();
    options.usetable = Value(object, field::kUseTable).toBool();
    return {SettingsRequest{options}, {}};
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
    if (check.spec == &Spec(PageMessage::Settings)) return ParseSettings(object);
    if (check.spec == &Spec(PageMessage::KeptScores)) {
        const auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(Member(object, field::kTable)),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) return Refuse("keptScores: the table is not base64");
        return {KeptScoresRequest{decoded.decoded.toStdString()}, {}};
    }
    if (check.spec == &Spec(PageMessage::NetworkMatch)) return {NetworkMatchRequest{Member(object, field::kTable)}, {}};
    if (check.spec == &Spec(PageMessage::Chat)) return {ChatRequest{Member(object, field::kText)}, {}};
    return {ScoreNameRequest{Member(object, field::kName)}, {}};
}

}  // namespace tarvel::web
