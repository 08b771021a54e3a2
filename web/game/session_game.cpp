#include "web/game/session_game.h"

#include <array>
#include <utility>

#include "session/chat/chat_line.h"
#include "session/history/announcement_line.h"
#include "session/net/table_name.h"
#include "session/scores/score_file.h"
#include "session/scores/score_file_message.h"
#include "session/scores/score_table.h"
#include "session/speech/sound_file_name.h"
#include "session/texts/client_texts.h"
#include "web/game/table_view.h"

namespace tarvel::web {
namespace {

using session::Command;

// The page's commands in the order of GameCommand.
constexpr std::array kSessionCommands{
    Command::NewMatch,          Command::EndMatch,           Command::Play,
    Command::DrawOrStand,       Command::SelectPrevious,     Command::SelectNext,
    Command::SelectFirst,       Command::SelectLast,         Command::SaySelected,
    Command::SaySelectedValue,  Command::SayAllCards,        Command::SayPileCard,
    Command::SayGameNumber,     Command::SayPlayerWins,      Command::SayOpponentWins,
    Command::SayPlayerPoints,   Command::SayPlayerTableScore, Command::SayOpponentPoints,
    Command::SayOpponentCount,  Command::SayPlayerCount,     Command::ToggleSounds,
    Command::ToggleSayDrawnCards, Command::RepeatOpponent,   Command::PreviousAnnouncement,
    Command::NextAnnouncement,  Command::ShowScoreTable,     Command::CloseScoreTable,
    Command::StopWaiting,       Command::GiveUpReturn,
};
static_assert(kSessionCommands.size() == static_cast<std::size_t>(GameCommand::GiveUpReturn) + 1);

Command SessionCommand(GameCommand command) {
    return kSessionCommands.at(static_cast<std::size_t>(command));
}

// "zvuky/m7 srdcova1.wav" → "m7 srdcova1": the page fetches the stem in the form it plays.
std::string Stem(std::string_view file) {
    if (file.starts_with(kSoundFolder)) file.remove_prefix(kSoundFolder.size());
    if (file.ends_with(kSoundExtension)) file.remove_suffix(kSoundExtension.size());
    return std::string(file);
}

// How often a tab may open a connection to the game server.
constexpr std::chrono::milliseconds kConnectionPace{1000};

// The recordings' words are Czech whatever the page's language.
constexpr std::string_view kSpokenLanguage = "cs";

}  // namespace

SessionGame::SessionGame(SessionGameSetup setup, std::function<void(const QByteArray&)> send)
    : setup_(std::move(setup)), send_(std::move(send)), replayRandom_(setup_.seed.value_or(0) ^ 0x5eed, true) {
    session::SessionSetup made;
    made.output = this;
    made.settings = this;
    made.seed = setup_.seed;
    made.nameRecordings = true;
    made.scoreFile = setup_.scoreFile;
    made.userName = setup_.userName;
    session_ = std::make_unique<session::Session>(std::move(made));
}

SessionGame::~SessionGame() {
    // A network match is broken off as a desktop that closes breaks it off: the opponent
    // hears it at once instead of waiting for a return that will not come.
    session_->Close();
    session_.reset();
    std::error_code ignored;
    std::filesystem::remove(setup_.scoreFile, ignored);
}

session::Environment SessionGame::LoadEnvironment() {
    session::Environment environment;
    environment.languageBase = setup_.language == "en" ? 2000 : 1000;
    // The page plays the recordings or hands the words to the screen reader; the session
    // names every recording either way.
    environment.speechMode = session::kSpeechRecordings;
    return environment;
}

NetSettings SessionGame::LoadNetSettings() {
    NetSettings net;
    net.ipaddress = setup_.serverHost;
    net.port = setup_.serverPort;
    return net;
}

std::optional<std::string> SessionGame::SaveGameOptions(const GameOptions& options) {
    setup_.options = options;
    return std::nullopt;
}

std::optional<std::string> SessionGame::SaveEnvironment(const GameOptions& options, const session::Environment&) {
    setup_.options = options;
    return std::nullopt;
}

void SessionGame::Handle(const PageRequest& request) {
    if (const auto* command = std::get_if<CommandRequest>(&request)) {
        // A new match begins a new history, which may be as long as the old one.
        if (command->command == GameCommand::NewMatch) historyMayHaveChanged_ = true;
        session_->Handle(SessionCommand(command->command));
        if (command->command == GameCommand::CloseScores) lastScores_.clear();
        return;
    }
    if (const auto* settings = std::get_if<SettingsRequest>(&request)) {
        // The page's game settings; the switches (sounds, drawn cards) stay as the keys set them.
        GameOptions options = settings->options;
        options.saypickedcards = session_->Options().saypickedcards;
        options.gamesounds = session_->Options().gamesounds;
        session_->ApplyGameOptions(options);
        return;
    }
    if (const auto* name = std::get_if<ScoreNameRequest>(&request)) {
        // Answered as a command is: the table with the name written, then its words.
        if (const auto written = session_->WriteResult(name->name)) {
            ShowScoreTable(*written);
            SendTableToKeep();
        }
        send_(FormatSentence({}, scoresText_, kSpokenLanguage));
        scoresText_.clear();
        return;
    }
    if (const auto* kept = std::get_if<KeptScoresRequest>(&request)) TakeKeptTable(kept->table);
    if (const auto* match = std::get_if<NetworkMatchRequest>(&request)) StartNetworkMatch(match->table);
    if (const auto* chat = std::get_if<ChatRequest>(&request)) SendChat(chat->text);
}

void SessionGame::StartNetworkMatch(const std::string& typedTable) {
    const std::optional<std::string> table = ReadTableName(typedTable);
    if (!table) {
        // Told as the desktop's settings tell it; answered like a command that did nothing.
        std::string message = session_->Texts().LocalizedText(text::kTableNameNotValid);
        if (const std::size_t mark = message.find("%1"); mark != std::string::npos) message.replace(mark, 2, typedTable);
        Tell(message);
        send_(FormatSentence({}, {}, kSpokenLanguage));
        return;
    }
    // A person asks again after a second or more; a page in a loop is told the server is
    // busy, as the desktop is told by a full server.
    const auto now = std::chrono::steady_clock::now();
    if (!session_->ConnectionInUse() && lastConnection_ && now - *lastConnection_ < kConnectionPace) {
        Tell(session_->Texts().LocalizedText(text::kServerBusy));
        send_(FormatSentence({}, {}, kSpokenLanguage));
        return;
    }
    if (!session_->ConnectionInUse()) lastConnection_ = now;
    // Only the table is the page's: the server stays tarvelweb's.
    NetSettings net = LoadNetSettings();
    net.table = *table;
    session_->ApplyNetSettings(net);
    historyMayHaveChanged_ = true;
    session_->Handle(Command::NewNetworkMatch);
}

void SessionGame::SendChat(const std::string& text) {
    if (!session_->NetworkMatch()) {
        Tell(session_->Texts().LocalizedText(text::kNoMatchRunning));
        return;
    }
    if (HasWords(text)) session_->SendMessage(text);
}

void SessionGame::WaitingChanged(session::Waiting waiting) {
    noAnswer_ = waiting == session::Waiting::NoAnswer;
    SendIfChanged(NetworkFrame(), lastNetwork_);
}

void SessionGame::MessageReceived(std::string_view text) {
    send_(FormatChat(CleanReceivedMessage(text)));
}

QByteArray SessionGame::NetworkFrame() const {
    NetworkView view;
    view.returning = session_->Returning();
    view.waiting = !view.returning && session_->Possible(Command::StopWaiting);
    view.noAnswer = view.waiting && noAnswer_;
    view.match = session_->NetworkMatch();
    return FormatNetwork(view);
}

void SessionGame::TakeKeptTable(const std::string& bytes) {
    // Named as the desktop's file, which is what the player knows the table by.
    const std::filesystem::path shownName(kScoreFileName);
    std::optional<ScoreFileError> fault;
    // Exactly ten entries, as the file must hold: the reading of bytes takes the first
    // ten of a longer run.
    const std::optional<ScoreTable> table =
        bytes.size() == kScoreTableBytes ? ScoreTableFromBytes(bytes) : std::nullopt;
    if (!table) {
        fault = ScoreFileError{};
        fault->kind = bytes.size() < kScoreTableBytes ? ScoreFileError::Kind::TooShort : ScoreFileError::Kind::TooLong;
        fault->file = shownName;
        fault->size = bytes.size();
    } else {
        fault = ScoreTableFault(*table, shownName);
    }
    if (!fault) fault = WriteScoreTable(setup_.scoreFile, *table);
    // The browser keeps what it had until a result is written; the session plays on the
    // table it has.
    if (fault) send_(FormatNotice(ScoreFileMessage(*fault, LoadEnvironment().languageBase)));
}

void SessionGame::SendTableToKeep() {
    const ScoreTableRead read = ReadScoreTable(setup_.scoreFile);
    if (read.table) send_(FormatKeepScores(ScoreTableBytes(*read.table)));
}

void SessionGame::Play(const session::Phrase& phrase) {
    if (phrase.file.empty()) return;
    phrases_.push_back({Stem(phrase.file), phrase.text});
}

void SessionGame::Replay(const std::optional<Announcement>& announcement) {
    if (!announcement) {
        // The edge of the history.
        const std::string edge = "okraj";
        phrases_.push_back(
            {Stem(SoundFileName(kNoVoice, edge, VariantSuffix(kPlainVariant, Playback::Start, replayRandom_))), edge});
        replayText_ = edge;
        return;
    }
    const auto& entries = session_->History().Entries();
    for (std::size_t i = announcement->first; i < announcement->first + announcement->count && i < entries.size(); ++i) {
        const SpokenEntry& entry = entries[i];
        if (PhraseFilePart(entry.text).empty()) continue;
        phrases_.push_back(
            {Stem(SoundFileName(entry.voice, entry.text, VariantSuffix(entry.variant, Playback::Start, replayRandom_))),
             entry.text});
    }
    replayText_ = AnnouncementLine(*announcement, session_->Texts());
}

void SessionGame::AnswerEnded(const session::Answer& answer) {
    // The table first: the page then knows, when the words come, whether the selection
    // its list shows has moved.
    // The history is worded again only when it changed: a long match holds thousands of
    // entries, and most keys add none.
    const std::size_t entries = session_->History().Entries().size();
    if (historyMayHaveChanged_ || entries != shownEntries_) {
        std::vector<std::string> lines = HistoryLines();
        const bool grew = lines.size() >= shownLines_.size() &&
                          std::equal(shownLines_.begin(), shownLines_.end(), lines.begin());
        if (!grew) {
            send_(FormatHistory(lines, true));
        } else if (lines.size() > shownLines_.size()) {
            send_(FormatHistory({lines.begin() + static_cast<std::ptrdiff_t>(shownLines_.size()), lines.end()}, false));
        }
        shownLines_ = std::move(lines);
        shownEntries_ = entries;
        historyMayHaveChanged_ = false;
    }
    SendIfChanged(FormatTable(View()), lastTable_);
    SendIfChanged(EnabledFrame(), lastEnabled_);
    SendIfChanged(NetworkFrame(), lastNetwork_);

    std::string text = answer.screenReaderText;
    if (text.empty()) text = replayText_;
    // The table of best results shown in this answer is read after what was said.
    if (!scoresText_.empty()) text += (text.empty() ? "" : ". ") + scoresText_;
    // The switches' "on" and "off" are the program's sounds, kept out of the history:
    // a screen reader hears their words.
    if (text.empty()) {
        for (const SpokenPhrase& phrase : phrases_) text += (text.empty() ? "" : ", ") + phrase.text;
    }
    // Every command is answered by one sentence, also a silent one: the page knows the
    // answer is complete.
    send_(FormatSentence(phrases_, text, kSpokenLanguage));
    phrases_.clear();
    replayText_.clear();
    scoresText_.clear();
}

void SessionGame::Tell(std::string_view message) {
    send_(FormatNotice(message));
}

void SessionGame::ShowScoreTable(const session::ScoreTableSight& table) {
    lastScores_ = FormatScores(ScoresView{table.lines, table.canWrite, table.canContinue, table.canClose});
    send_(lastScores_);
    for (const std::string& line : table.lines) {
        if (!line.empty()) scoresText_ += (scoresText_.empty() ? "" : ". ") + line;
    }
}

void SessionGame::SendIfChanged(QByteArray frame, QByteArray& last) {
    if (frame == last) return;
    last = std::move(frame);
    send_(last);
}

TableView SessionGame::View() const {
    TableView view = ViewOfTable(session_->Table());
    view.line = line_;
    return view;
}

std::vector<std::string> SessionGame::HistoryLines() const {
    std::vector<std::string> lines;
    for (const Announcement& announcement : session_->History().Announcements()) {
        lines.push_back(AnnouncementLine(announcement, session_->Texts()));
    }
    return lines;
}

QByteArray SessionGame::EnabledFrame() const {
    std::vector<GameCommand> enabled;
    for (std::size_t i = 0; i < kSessionCommands.size(); ++i) {
        if (session_->Possible(kSessionCommands[i])) enabled.push_back(static_cast<GameCommand>(i));
    }
    return FormatEnabled(enabled);
}

std::vector<QByteArray> SessionGame::Snapshot() const {
    std::vector<QByteArray> frames{FormatTable(View()), FormatHistory(HistoryLines(), true), EnabledFrame(),
                                   NetworkFrame()};
    if (!lastScores_.isEmpty()) frames.push_back(lastScores_);
    return frames;
}

}  // namespace tarvel::web
