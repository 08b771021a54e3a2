#include "tests/web/scripted_game.h"

#include <algorithm>

namespace tarvel::web::testing {
namespace {

ShownItem Card(int picture, const char* name) {
    return {"card" + std::to_string(picture), name};
}

std::string FileOf(const ShownItem& item) {
    return "c" + item.picture.substr(4);
}

}  // namespace

ScriptedGame::ScriptedGame(std::function<void(const QByteArray&)> send) : send_(std::move(send)) {}

std::vector<std::string> ScriptedGame::RecordingNames() {
    std::vector<std::string> names{"start", "edge", "throw", "draw", "said"};
    for (int i = 1; i <= 32; ++i) names.push_back("c" + std::to_string(i));
    return names;
}

void ScriptedGame::Say(std::vector<SpokenPhrase> phrases, const std::string& line) {
    std::string text;
    for (const SpokenPhrase& phrase : phrases) text += (text.empty() ? "" : ", ") + phrase.text;
    send_(FormatSentence(phrases, line.empty() ? text : line, "cs"));
    if (!line.empty()) {
        history_.push_back(line);
        send_(FormatHistory({line}, false));
    }
}

void ScriptedGame::ShowTable() {
    send_(FormatTable(table_));
    send_(FormatEnabled(Enabled()));
}

std::vector<GameCommand> ScriptedGame::Enabled() const {
    if (!table_.running) return {GameCommand::NewMatch};
    std::vector<GameCommand> all;
    for (std::size_t i = 0; i < GameCommandNames().size(); ++i) all.push_back(static_cast<GameCommand>(i));
    return all;
}

void ScriptedGame::Handle(const PageRequest& request) {
    const auto* command = std::get_if<CommandRequest>(&request);
    if (command == nullptr) return;
    if (command->command == GameCommand::NewMatch) {
        table_ = TableView{};
        table_.hand = {Card(1, "7 srdcová"), Card(6, "8 kárová"), Card(32, "eso křížové")};
        table_.selected = 0;
        table_.pile = Card(9, "9 srdcová");
        table_.opponentCount = 4;
        table_.stock = 20;
        table_.playerTurn = true;
        table_.running = true;
        history_.clear();
        send_(FormatHistory({}, true));
        ShowTable();
        Say({{"start", "Začínáš"}}, "Soupeř: Začínáš");
        return;
    }
    if (!table_.running) {
        send_(FormatNotice("Žádná hra neběží."));
        return;
    }
    const int last = static_cast<int>(table_.hand.size()) - 1;
    int& selected = table_.selected;
    switch (command->command) {
        case GameCommand::Left:
        case GameCommand::Right:
        case GameCommand::First:
        case GameCommand::Last: {
            const int wanted = command->command == GameCommand::Left    ? selected - 1
                               : command->command == GameCommand::Right ? selected + 1
                               : command->command == GameCommand::First ? 0
                                                                       : last;
            std::vector<SpokenPhrase> phrases;
            if (wanted < 0 || wanted > last) phrases.push_back({"edge", "okraj"});
            selected = std::clamp(wanted, 0, std::max(last, 0));
            if (last >= 0) {
                phrases.push_back({FileOf(table_.hand[selected]), table_.hand[selected].name});
            }
            ShowTable();
            Say(phrases, "");
            return;
        }
        case GameCommand::Play: {
            if (last < 0) return;
            const ShownItem played = table_.hand[selected];
            table_.hand.erase(table_.hand.begin() + selected);
            table_.pile = played;
            selected = std::min(selected, static_cast<int>(table_.hand.size()) - 1);
            ShowTable();
            Say({{"throw", "vyhození"}, {FileOf(played), played.name}}, "Ty: " + played.name);
            return;
        }
        case GameCommand::Draw: {
            table_.hand.push_back(Card(17, "kluk srdcový"));
            table_.stock -= 1;
            ShowTable();
            Say({{"draw", "lízání"}}, "Ty: lízání");
            return;
        }
        case GameCommand::PileCard:
            Say({{FileOf(*table_.pile), table_.pile->name}}, "");
            return;
        default:
            Say({{"said", std::string(Name(command->command))}}, "");
            return;
    }
}

std::vector<QByteArray> ScriptedGame::Snapshot() const {
    std::vector<QByteArray> frames{FormatTable(table_), FormatHistory(history_, true), FormatEnabled(Enabled())};
    return frames;
}

}  // namespace tarvel::web::testing
