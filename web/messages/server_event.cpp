#include "web/messages/server_event.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvel::web {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonObject Message(ServerMessage message) {
    QJsonObject object;
    object.insert(Q(kTypeField), Q(Spec(message).name));
    return object;
}

QByteArray Frame(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonArray Shown(const std::vector<ShownItem>& items) {
    QJsonArray list;
    for (const ShownItem& item : items) {
        QJsonObject entry;
        entry.insert(Q(field::kPicture), Q(item.picture));
        entry.insert(Q(field::kName), Q(item.name));
        list.append(entry);
    }
    return list;
}

QJsonArray Shown(const std::optional<ShownItem>& item) {
    return item ? Shown(std::vector<ShownItem>{*item}) : QJsonArray{};
}

}  // namespace

QByteArray FormatWelcome(std::string_view secret, bool resumed) {
    QJsonObject object = Message(ServerMessage::Welcome);
    object.insert(Q(field::kSecret), Q(secret));
    object.insert(Q(field::kResumed), resumed);
    return Frame(object);
}

QByteArray FormatSentence(const std::vector<SpokenPhrase>& phrases, std::string_view text, std::string_view lang) {
    QJsonArray list;
    for (const SpokenPhrase& phrase : phrases) {
        QJsonObject item;
        item.insert(Q(field::kFile), Q(phrase.file));
        item.insert(Q(field::kText), Q(phrase.text));
        list.append(item);
    }
    QJsonObject object = Message(ServerMessage::Sentence);
    object.insert(Q(field::kPhrases), list);
    object.insert(Q(field::kText), Q(text));
    object.insert(Q(field::kLang), Q(lang));
    return Frame(object);
}

QByteArray FormatTable(const TableView& table) {
    QJsonObject object = Message(ServerMessage::Table);
    object.insert(Q(field::kHand), Shown(table.hand));
    object.insert(Q(field::kSelected), table.selected);
    object.insert(Q(field::kSuits), Shown(table.suits));
    object.insert(Q(field::kSelectedSuit), table.selectedSuit);
    object.insert(Q(field::kPile), Shown(table.pile));
    object.insert(Q(field::kRequestedSuit), Shown(table.requestedSuit));
    object.insert(Q(field::kOpponentCount), table.opponentCount);
    object.insert(Q(field::kStock), table.stock);
    object.insert(Q(field::kPlayerTurn), table.playerTurn);
    object.insert(Q(field::kRunning), table.running);
    object.insert(Q(field::kLine), Q(table.line));
    return Frame(object);
}

QByteArray FormatHistory(const std::vector<std::string>& lines, bool replace) {
    QJsonArray list;
    for (const std::string& line : lines) list.append(Q(line));
    QJsonObject object = Message(ServerMessage::History);
    object.insert(Q(field::kLines), list);
    object.insert(Q(field::kReplace), replace);
    return Frame(object);
}

QByteArray FormatEnabled(const std::vector<GameCommand>& commands) {
    QJsonArray list;
    for (const GameCommand command : commands) list.append(Q(Name(command)));
    QJsonObject object = Message(ServerMessage::Enabled);
    object.insert(Q(field::kCommands), list);
    return Frame(object);
}

QByteArray FormatNotice(std::string_view text) {
    QJsonObject object = Message(ServerMessage::Notice);
    object.insert(Q(field::kText), Q(text));
    return Frame(object);
}

QByteArray FormatNetwork(const NetworkView& network) {
    QJsonObject object = Message(ServerMessage::Network);
    object.insert(Q(field::kWaiting), network.waiting);
    object.insert(Q(field::kNoAnswer), network.noAnswer);
    object.insert(Q(field::kReturning), network.returning);
    object.insert(Q(field::kMatch), network.match);
    return Frame(object);
}

QByteArray FormatChat(std::string_view text) {
    QJsonObject object = Message(ServerMessage::ChatReceived);
    object.insert(Q(field::kText), Q(text));
    return Frame(object);
}

QByteArray FormatScores(const ScoresView& scores) {
    QJsonArray lines;
    for (const std::string& line : scores.lines) lines.append(Q(line));
    QJsonObject object = Message(ServerMessage::Scores);
    object.insert(Q(field::kLines), lines);
    object.insert(Q(field::kCanWrite), scores.canWrite);
    object.insert(Q(field::kCanContinue), scores.canContinue);
    object.insert(Q(field::kCanClose), scores.canClose);
    return Frame(object);
}

QByteArray FormatKeepScores(std::string_view table) {
    QJsonObject object = Message(ServerMessage::KeepScores);
    const QByteArray bytes(table.data(), static_cast<qsizetype>(table.size()));
    object.insert(Q(field::kTable), QString::fromLatin1(bytes.toBase64()));
    return Frame(object);
}

}  // namespace tarvel::web
