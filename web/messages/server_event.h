// What tarvelweb tells a page, each message formatted as one WebSocket text frame.
#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/messages/message_set.h"

namespace tarvel::web {

struct SpokenPhrase {
    std::string file;  // the recording's name in zvuky/ without its extension ("m7 srdcova1")
    std::string text;  // the words, as the history writes them
};

// A card or a suit as the page shows it.
struct ShownItem {
    std::string picture;  // in karty/ without its extension: "card5", "col1"
    std::string name;     // as a screen reader reads it: "10 piková", "srdce"
};

struct TableView {
    std::vector<ShownItem> hand;  // in hand order
    int selected = -1;            // index into the hand
    std::vector<ShownItem> suits;  // the suit choice; empty while none runs
    int selectedSuit = -1;
    std::optional<ShownItem> pile;
    std::optional<ShownItem> requestedSuit;
    int opponentCount = 0;
    int stock = 0;
    bool playerTurn = false;
    bool running = false;
    std::string line;  // the message line ("Začínáš", "lížu 3 karty"), for eyes
};

struct ScoresView {
    std::vector<std::string> lines;
    bool canWrite = false;
    bool canContinue = false;
    bool canClose = false;
};

QByteArray FormatWelcome(std::string_view secret, bool resumed);
// `lang` is the language of `text`: "cs" for the recordings' words, else the page's.
QByteArray FormatSentence(const std::vector<SpokenPhrase>& phrases, std::string_view text, std::string_view lang);
QByteArray FormatTable(const TableView& table);
QByteArray FormatHistory(const std::vector<std::string>& lines, bool replace);
QByteArray FormatEnabled(const std::vector<GameCommand>& commands);
QByteArray FormatNotice(std::string_view text);
QByteArray FormatScores(const ScoresView& scores);
// `table`: the bytes of the table of best results.
QByteArray FormatKeepScores(std::string_view table);

// The network match's moment.
struct NetworkView {
    bool waiting = false;
    bool noAnswer = false;
    bool returning = false;
    bool match = false;
    friend bool operator==(const NetworkView&, const NetworkView&) = default;
};
QByteArray FormatNetwork(const NetworkView& network);
QByteArray FormatChat(std::string_view text);

}  // namespace tarvel::web
