// One player's game without its widgets: a match against the computer or over the
// network, everything said, the history, the Say commands, the table of best results and
// the messages between the players. A front end (the desktop window, a browser tab)
// owns one session and is its SessionOutput: it turns keys, clicks and menu commands
// into the session's commands, and plays, draws, shows and asks what the session hands
// it. Many sessions live side by side in one process; each has its own settings, random
// source, phrases and connection, and none shares anything with another.
//
// Everything runs on the caller's thread; a network match runs on Qt's event loop and
// never blocks on its socket. A command returns when the game has answered it, and the
// phrases of that answer went to the output on the way. The session never waits for a
// phrase itself: a front end that holds the game while a waited-for phrase sounds (the
// desktop) returns from Play when it has been heard; one that cannot (a browser)
// queues the phrases and returns at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_event.h"
#include "engine/game_options.h"
#include "engine/game_state.h"
#include "rules/cards.h"
#include "session/net_settings.h"
#include "session/session_stores.h"

namespace tarvel::session {

// One phrase as the player hears it: a recording of the voice pack.
struct Phrase {
    std::string voice;  // "m", "z", or empty for the sound effects
    std::string text;   // as the game says it: "7 srdcová", "lížu", " srdce"
    std::uint8_t variant = 1;
    bool waited = true;  // the game goes on once it has been heard
    // The recording, its random variant already chosen: "zvuky/m7 srdcova1.wav". A
    // browser fetches the same stem in the form it plays.
    std::string file;
    // The speaker as the history and a screen reader name him.
    enum class Speaker : std::uint8_t { Player, Opponent, Effect } speaker = Speaker::Effect;
};

// What one command's answer said, once it has ended.
struct Answer {
    // The answer in one line, as a screen reader or a braille display reads it: the
    // announcements as the history shows them ("Soupeř: lížu, lízání") and the names a
    // key gives ("9 piková", the edge), in the order they were said. Czech words of the
    // recordings with the speakers named in the session's language.
    std::string screenReaderText;
    // Entries added to the history by it (History() holds them all).
    std::size_t firstNewEntry = 0;
    std::size_t newEntries = 0;
};

// A message for the player: a message box on the desktop.
struct PlayerMessage {
    enum class Kind : std::uint8_t {
        Information,        // said and done
        ConnectionProblem,  // the connection could not be made or was lost
        ScoreFileProblem,   // the table of best results could not be read or written
    } kind = Kind::Information;
    std::string text;  // in the session's language
};

// The wait for the network opponent.
enum class Waiting : std::uint8_t {
    Shown,     // connecting, or waiting for the second player: the wait with its Cancel
    NoAnswer,  // the server has not answered for a while (the wait stays)
    Closed,
};

// The table of best results to show.
struct ScoreTableSight {
    std::vector<std::string> lines;
    bool canWrite = false;     // the result of the game just ended reached a place: WriteResult
    bool canContinue = false;  // the match goes on (Command::CloseScoreTable continues it)
    bool canClose = false;
};

// The commands of the keys, the menus and the pointer.
enum class Command : std::uint8_t {
    // The match.
    NewMatch,         // Ctrl+N: a new match against the computer
    EndMatch,         // the end-match command (also gives up coming back into a match)
    NewNetworkMatch,  // Ctrl+I: connect to the server of the network settings
    StopWaiting,      // the wait's Cancel: give up waiting for the opponent
    GiveUpReturn,     // Escape while coming back after a lost connection
    // The table's keys.
    Play,            // Enter: lay the selected card, or name the selected suit
    DrawOrStand,     // Space: draw, stand on an ace, or give up returning the opponent
    SelectPrevious,  // Left: the card or suit before
    SelectNext,      // Right
    SelectFirst,     // Home, Shift+Left
    SelectLast,      // End, Shift+Right
    // The Say menu; Up is SayPileCard, Down SayOpponentCount.
    SaySelected,
    SaySelectedValue,
    SayAllCards,
    SayPileCard,
    SayGameNumber,
    SayPlayerWins,
    SayOpponentWins,
    SayPlayerPoints,
    SayOpponentPoints,
    SayPlayerTableScore,
    SayOpponentCount,
    SayPlayerCount,
    // Hearing it again.
    RepeatOpponent,        // the opponent's last announcement
    PreviousAnnouncement,  // stepping back through the history
    NextAnnouncement,
    // Switches.
    ToggleSounds,
    ToggleSayDrawnCards,
    // The table of best results.
    ShowScoreTable,   // from the menu
    CloseScoreTable,  // closed without writing: the match goes on, or is over
};

class SessionOutput {
  public:
    virtual ~SessionOutput() = default;

    // One phrase, in order. A front end that holds the game returns when a waited-for
    // phrase has been heard; one that cannot queues it and returns at once.
    virtual void Play(const Phrase& phrase) = 0;
    // Something happened on the table, in the order the phrases around it tell it.
    // Table() gives the whole table after it; the event says what changed, for a front
    // end that draws step by step.
    virtual void TableChanged(const GameEvent& event) = 0;
    // The message line: what the game announces in writing, for eyes when sounds are off.
    virtual void MessageLineChanged(std::string_view text) = 0;
    // The answer to one command has ended.
    virtual void AnswerEnded(const Answer& answer) = 0;
    virtual void Tell(const PlayerMessage& message) = 0;
    virtual void WaitingChanged(Waiting waiting) = 0;
    virtual void ShowScoreTable(const ScoreTableSight& table) = 0;
    // A message from the opponent, in the session's language ("Zpráva soupeře: …").
    virtual void MessageReceived(std::string_view text) = 0;
    // The server refused two players of the same name: the program ends.
    virtual void EndProgram() = 0;
};

// What a session is made with.
struct SessionSetup {
    SessionOutput* output = nullptr;    // borrowed; outlives the session
    SettingsStore* settings = nullptr;  // borrowed: the settings, read at start and written on change
    ScoreStore* scores = nullptr;       // borrowed: the table of best results
    std::optional<std::uint64_t> seed;  // the random source's seed; the clock without one
    std::string userName;               // how this player introduces himself to a server
};

class Session {
  public:
    explicit Session(SessionSetup setup);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A command of the keys, the menus or the pointer. One that does not fit the moment
    // changes nothing (and says so as the desktop does: "off" out of turn, nothing
    // between matches).
    void Handle(Command command);
    // A click on the card at `position` (1-based) of the hand: selects and lays it.
    void PlayCardAt(std::size_t position);
    // A click in the suit row during a suit choice.
    void NameSuit(std::uint8_t suit);
    // The name for the table of best results, once ShowScoreTable offered to write.
    void WriteResult(std::string_view name);
    // A message to the opponent of a network match.
    void SendMessage(std::string_view text);
    // New settings, as a settings dialog confirmed them: kept, and written to the store.
    void ApplyGameOptions(const GameOptions& options);
    void ApplyNetSettings(const NetSettings& settings);

    // Whether a command would do something now: the menus' enabling.
    bool Possible(Command command) const;
    // The table as it stands: the player's hand in order, the selection, the pile, the
    // named suit, the counts, whose turn it is, the match's tallies.
    const GameState& Table() const;
    const GameOptions& Options() const;
    bool SoundsOn() const;
    bool NetworkMatch() const;
    // Everything said in the current match, oldest first, grouped into announcements.
    const class AnnouncementHistory& History() const;

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace tarvel::session
