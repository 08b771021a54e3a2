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
// queues the phrases and returns at once. Whatever arrives while a command runs (a
// message of the server during a dialog the front end holds open) waits its turn.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/random_source.h"
#include "common/string_table.h"
#include "engine/engine.h"
#include "engine/game_event.h"
#include "session/command.h"
#include "session/history/announcement_history.h"
#include "session/net_settings.h"
#include "session/session_stores.h"

namespace tarvel::session {

// One phrase as the player hears it: a recording of the voice pack.
struct Phrase {
    std::string voice;  // "m", "z", or empty for the sound effects
    std::string text;   // as the game says it: "7 srdcová", "lížu", " srdce"
    std::uint8_t variant = 1;
    bool waited = true;  // the game goes on once it has been heard
    // A sound of the program rather than the game's speech: the switches' "on" and "off",
    // the fanfare of the table of best results. Heard as a recording whatever the way of
    // hearing the game, and kept out of the history.
    bool interfaceSound = false;
    // The recording, its random variant already chosen ("zvuky/m7 srdcova1.wav"), for a
    // front end that asked the session to name them; a browser fetches the same stem in
    // the form it plays. Empty when the front end names them itself.
    std::string file;
};

// What one command's answer said, once it has ended.
struct Answer {
    // The answer in one line, as a screen reader or a braille display reads it: the
    // announcements as the history shows them ("Soupeř: lížu, lízání") and the names a
    // key gives ("9 piková", the edge), in the order they were said; empty when nothing
    // was said. The recordings' words are Czech; the speakers' names are in the
    // session's language.
    std::string screenReaderText;
    // The history's entries it added: History().Entries() from `firstEntry` on.
    std::size_t firstEntry = 0;
};

// The table of best results to show.
struct ScoreTableSight {
    std::vector<std::string> lines;
    bool canWrite = false;     // the result of the game just ended reached a place: WriteResult
    bool canContinue = false;  // the match goes on (Command::CloseScoreTable continues it)
    bool canClose = false;
};

// The wait for the network opponent.
enum class Waiting : std::uint8_t {
    Shown,     // connecting, or waiting for the second player: the wait with its Cancel
    NoAnswer,  // the server has not answered for a while (the wait stays)
    Closed,
};

class SessionOutput {
  public:
    virtual ~SessionOutput() = default;

    // One phrase, in order, while the sounds are on. A front end that holds the game
    // returns when a waited-for phrase has been heard; one that cannot queues it and
    // returns at once. Through the speech service only the effects carry a recording.
    virtual void Play(const Phrase& phrase) = 0;
    // An announcement of the history to hear again (nothing: the edge of the history).
    virtual void Replay(const std::optional<Announcement>& announcement) = 0;
    // Something happened on the table, in the order the phrases around it tell it.
    // Table() gives the whole table after it; the event says what changed, for a front
    // end that draws step by step.
    virtual void TableChanged(const GameEvent& event) = 0;
    // The message line: what the game announces in writing, for eyes when sounds are off.
    virtual void MessageLineChanged(std::string_view text) = 0;
    // The answer to one command has ended.
    virtual void AnswerEnded(const Answer& answer) = 0;
    // A message for the player (a message box on the desktop), in the session's language.
    virtual void Tell(std::string_view message) = 0;
    virtual void WaitingChanged(Waiting waiting) = 0;
    // The table of best results; its answer is WriteResult or Command::CloseScoreTable,
    // now (a dialog held open) or later.
    virtual void ShowScoreTable(const ScoreTableSight& table) = 0;
    // A message from the opponent, as he wrote it.
    virtual void MessageReceived(std::string_view text) = 0;
    // A network match was agreed: the message command may be offered.
    virtual void MatchAgreed() = 0;
    // The server refused two players of the same name: the program ends.
    virtual void EndProgram() = 0;
};

// What a session is made with.
struct SessionSetup {
    SessionOutput* output = nullptr;    // borrowed; outlives the session
    SettingsStore* settings = nullptr;  // borrowed: the settings, read now, written on change
    // The table of best results.
    std::filesystem::path scoreFile = "tarvel.tab";
    // The random source of the deals and the recordings' variants; the session makes
    // its own (from `seed`, or the clock) when none is given.
    RandomSource* random = nullptr;
    std::optional<std::uint64_t> seed;
    std::string userName;  // how this player introduces himself to a server
    // Name every phrase's recording (Phrase::file); the desktop plays by name itself.
    bool nameRecordings = true;
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
    // A click on the card at `position` (1-based) of the hand: selects it, names it
    // unless the pointer resting on it already did, and lays it.
    void PlayCardAt(std::size_t position, bool alreadyNamed);
    // A click in the suit row during a suit choice.
    void NameSuit(std::uint8_t suit, bool alreadyNamed);
    // The name for the table of best results, once ShowScoreTable offered to write: the
    // table with the result written, to show until it is closed; nothing when it was not
    // written (the player is told why, and may try again).
    std::optional<ScoreTableSight> WriteResult(std::string_view name);
    // A message to the opponent of a network match.
    void SendMessage(std::string_view text);
    // New settings, as a settings dialog confirmed them: kept, and written to the store.
    // Game options changed mid-game take effect at once (the count dealt at the next deal).
    void ApplyGameOptions(const GameOptions& options);
    void ApplyNetSettings(const NetSettings& settings);
    // The environment dialog also sets some game options (the sounds, the pointer's).
    void ApplyEnvironment(const GameOptions& options, const Environment& environment);
    // The environment as it can be had, kept without writing it: a front end that found
    // no speech service plays recordings instead.
    void UseEnvironment(const Environment& environment);
    // The table of best results was closed without writing: the match goes on, or is
    // over. The same as Command::CloseScoreTable, answered within the command that
    // showed the table (a dialog held open).
    void CloseScoreTable();
    // The program closes: a network match is broken off first.
    void Close();
    // Runs a front end's own action in the session's turn, after whatever runs now.
    void Run(std::function<void()> action);

    // Whether a command would do something now: the menus' enabling.
    bool Possible(Command command) const;
    // A command is being answered (what arrives meanwhile waits its turn).
    bool Busy() const;
    // The table as it stands: the player's hand in order, the selection, the pile, the
    // named suit, the counts, whose turn it is, the match's tallies.
    const GameState& Table() const;
    const GameOptions& Options() const;
    const NetSettings& NetworkSettings() const;
    const Environment& EnvironmentSettings() const;
    bool NetworkMatch() const;
    // Coming back into a network match whose connection was lost.
    bool Returning() const;
    // A connection to a server is open or being opened.
    bool ConnectionInUse() const;
    // Everything said in the current match, oldest first, grouped into announcements.
    const AnnouncementHistory& History() const;
    const Localizer& Texts() const;
    // The environment dialog switches the language as one is clicked: every text after
    // it comes in that language, also when the dialog is then cancelled.
    Localizer& Texts();
    // Where the session's own phrases go, for a front end's words in the game's voice
    // (the pointer naming the card it rests on): heard and kept in the history alike.
    SpeechPort& Voice();
    // The match itself, for a front end's tests.
    Engine& GameEngine();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace tarvel::session
