#include "session/session.h"

#include <utility>

#include "session/chat/chat_line.h"
#include "session/engine_gate.h"
#include "session/history/announcement_line.h"
#include "session/history/recorded_speech.h"
#include "session/net/network_play.h"
#include "session/scores/score_file_message.h"
#include "session/scores/score_keeper.h"
#include "session/scores/score_moment.h"
#include "session/scores/table_score_speech.h"
#include "session/speech/number_words.h"
#include "session/speech/sound_file_name.h"
#include "session/speech/who_leads.h"
#include "session/table/say_commands.h"
#include "session/texts/client_strings.h"
#include "session/texts/message_line.h"
#include "rules/card_names.h"

namespace tarvel::session {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// What the session says, handed to the front end phrase by phrase while the sounds are
// on, each with its recording named when the front end asked for names.
class OutputVoice final : public SpeechPort {
  public:
    OutputVoice(Session& session, SessionSetup& setup, RandomSource& random, bool interfaceSounds)
        : session_(session), setup_(setup), random_(random), interfaceSounds_(interfaceSounds) {}

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        Emit(voice, text, variant, true);
    }
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        Emit(voice, text, variant, false);
    }
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override {
        // A speech service reads the number whole; the recordings say it word by word.
        if (Service() && !voice.empty() && !interfaceSounds_) {
            if (number != 0 || sayZero) Emit(voice, std::to_string(number), kPlainVariant, true);
            return;
        }
        for (const auto& word : NumberWords(number, sayZero)) Emit(voice, word, kPlainVariant, true);
    }
    void SayWhoLeads(std::string_view voice, const MatchStanding& standing) override {
        Emit(voice, WhoLeadsText(standing), kPlainVariant, true);
    }
    bool SoundsOn() const override { return session_.Options().gamesounds; }

  private:
    void Emit(std::string_view voice, std::string_view text, std::uint8_t variant, bool waited) {
        if (!SoundsOn()) return;
        Phrase phrase{std::string(voice), std::string(text), variant, waited, interfaceSounds_, {}};
        if (setup_.nameRecordings && Recorded(voice) && !PhraseFilePart(text).empty()) {
            const Playback playback = waited ? Playback::Wait : Playback::Start;
            phrase.file = SoundFileName(voice, text, VariantSuffix(variant, playback, random_));
        }
        setup_.output->Play(phrase);
    }

    bool Service() const { return session_.EnvironmentSettings().speechMode == kSpeechService; }

    // Recordings are played unless the game is heard through the speech service (which
    // says the words itself) or not at all.
    bool Recorded(std::string_view voice) const {
        if (interfaceSounds_) return true;
        if (session_.EnvironmentSettings().speechMode == kSpeechOff) return false;
        return !Service() || voice.empty();
    }

    Session& session_;
    SessionSetup& setup_;
    RandomSource& random_;
    bool interfaceSounds_;
};

struct Session::Parts final : public EventPort {
    Parts(Session& session, SessionSetup&& made)
        : setup(std::move(made)),
          output(*setup.output),
          store(*setup.settings),
          texts(ClientStrings()),
          ownRandom(setup.random != nullptr ? nullptr
                                            : std::make_unique<StandardRandom>(
                                                  setup.seed ? StandardRandom(*setup.seed, true) : StandardRandom())),
          random(setup.random != nullptr ? *setup.random : *ownRandom),
          unrecorded(session, setup, random, true),
          spoken(session, setup, random, false),
          voice(spoken, history, [this] { return engine.State().playerVoice; }),
          opponentVoice(spoken, history, Speaker::Opponent),
          network(MakeHooks()),
          engine(voice, *this, network, random),
          say(engine.State(), voice, opponentVoice),
          scores(setup.scoreFile) {
        engine.SetOpponentSpeech(opponentVoice);
    }

    NetworkPlay::WindowHooks MakeHooks();
    void Happened(const GameEvent& event) override;
    // Runs an action in the session's turn: it begins a new answer, and the answer is
    // told when nothing is left to run.
    void Run(std::function<void()> action);
    void AnswerEnded();
    void ScoreStep();
    void ShowTable(const ScoreTableOutcome& outcome);
    void CloseScoreTable();
    void Save(const std::optional<std::string>& problem);
    void Toggle(bool on);

    SessionSetup setup;
    SessionOutput& output;
    SettingsStore& store;
    Localizer texts;
    NetSettings net;
    Environment environment;
    std::unique_ptr<StandardRandom> ownRandom;
    RandomSource& random;
    AnnouncementHistory history;
    OutputVoice unrecorded;  // the program's own sounds: heard, not kept
    OutputVoice spoken;      // the game's speech, heard as the player chose
    RecordedSpeech voice;    // everything else: kept in the history as it is heard
    RecordedSpeech opponentVoice;  // what the engine says in the opponent's voice, likewise
    NetworkPlay network;
    Engine engine;
    SayCommands say;
    ScoreKeeper scores;
    EngineGate gate;
    std::size_t toldEntries = 0;   // history entries already told in an answer
    bool scoreAnswered = true;     // the table of results shown last has been closed
    bool scoreStepOpen = false;    // a game's end waits for that table
};

NetworkPlay::WindowHooks Session::Parts::MakeHooks() {
    NetworkPlay::WindowHooks hooks;
    hooks.runInGate = [this](std::function<void()> action) { Run(std::move(action)); };
    hooks.showMessage = [this](const std::string& message) { output.Tell(message); };
    hooks.text = [this](int index) { return texts.LocalizedText(index); };
    hooks.showWaiting = [this] { output.WaitingChanged(Waiting::Shown); };
    hooks.closeWaiting = [this] { output.WaitingChanged(Waiting::Closed); };
    hooks.showNoAnswer = [this] { output.WaitingChanged(Waiting::NoAnswer); };
    hooks.endProgram = [this] { output.EndProgram(); };
    hooks.matchAgreed = [this] {
        // The first game of a network match starts a new history, as a new local match does.
        if (engine.State().lastStarter == kStarterUnknown) {
            history.Clear();
            toldEntries = 0;
        }
        output.MatchAgreed();
    };
    hooks.messageFromOpponent = [this](std::string_view text) {
        // The history keeps it with the opponent's words; a voice of the front end reads it.
        history.Add(SpokenEntry{Speaker::Opponent, engine.State().opponentVoice,
                                Trimmed(ChatLineText(CleanReceivedMessage(text))), kPlainVariant, false, false});
        output.MessageReceived(text);
    };
    return hooks;
}

void Session::Parts::Run(std::function<void()> action) {
    gate.Run([this, action = std::move(action)] {
        history.BeginCommand();
        action();
    });
}

void Session::Parts::AnswerEnded() {
    const std::size_t said = history.Entries().size();
    Answer answer;
    answer.firstEntry = said < toldEntries ? 0 : toldEntries;
    if (said != toldEntries) answer.screenReaderText = ScreenReaderText(history, answer.firstEntry, texts);
    toldEntries = said;
    output.AnswerEnded(answer);
}

void Session::Parts::Happened(const GameEvent& event) {
    output.TableChanged(event);
    switch (event.kind) {
        case GameEventKind::Announced:
            output.MessageLineChanged(MessageLineText(event.line, event.count, texts));
            break;
        case GameEventKind::GameDecided:
            output.MessageLineChanged(MessageLineText(
                event.seat == kPlayerSeat ? MessageLine::YouWin : MessageLine::IWin, 0, texts));
            break;
        case GameEventKind::MatchEnded:
            output.MessageLineChanged({});
            break;
        case GameEventKind::ScoreStep:
            ScoreStep();
            break;
        default:
            break;
    }
}

void Session::Parts::ScoreStep() {
    const ScoreTableOutcome outcome = scores.ScoreTableStep(engine.Options().usetable, engine.Standing(),
                                                            CurrentMoment(), unrecorded, texts);
    if (!outcome.view) {
        if (outcome.error) output.Tell(ScoreFileMessage(*outcome.error, texts.LanguageBase()));
        return;
    }
    scoreStepOpen = true;
    ShowTable(outcome);
    // Not closed while it was shown: the game's end waits for it.
    if (!scoreAnswered) engine.HoldScoreStep();
}

void Session::Parts::ShowTable(const ScoreTableOutcome& outcome) {
    if (outcome.error) {
        output.Tell(ScoreFileMessage(*outcome.error, texts.LanguageBase()));
        return;
    }
    if (!outcome.view) return;
    ScoreTableSight sight;
    sight.lines = outcome.view->lines;
    sight.canWrite = outcome.view->buttons.write;
    sight.canContinue = outcome.view->buttons.continueGame;
    sight.canClose = outcome.view->buttons.close;
    scoreAnswered = false;
    output.ShowScoreTable(sight);
}

void Session::Parts::CloseScoreTable() {
    scoreAnswered = true;
    if (!scoreStepOpen) return;
    scoreStepOpen = false;
    engine.ScoreStepDone();
}

void Session::Parts::Save(const std::optional<std::string>& problem) {
    if (problem) output.Tell(*problem);
}

void Session::Parts::Toggle(bool on) {
    unrecorded.StartPhrase(kNoVoice, on ? "on" : "off", kPlainVariant);
}

Session::Session(SessionSetup setup) {
    SettingsStore& store = *setup.settings;
    parts_ = std::make_unique<Parts>(*this, std::move(setup));
    Parts& p = *parts_;
    p.engine.Options() = store.LoadGameOptions();
    p.net = store.LoadNetSettings();
    p.environment = store.LoadEnvironment();
    p.texts.SetLanguageBase(p.environment.languageBase);
    p.engine.OptionsChanged();
    p.network.Attach(p.engine, p.setup.userName);
    p.gate.afterActions = [&p] { p.AnswerEnded(); };
}

Session::~Session() = default;

void Session::Run(std::function<void()> action) {
    parts_->Run(std::move(action));
}

void Session::Handle(Command command) {
    Parts& p = *parts_;
    p.Run([&p, command] {
        Engine& engine = p.engine;
        const GameState& state = engine.State();
        switch (command) {
            case Command::NewMatch:
                p.history.Clear();  // a new match: a new history
                p.toldEntries = 0;
                engine.NewGameCommand(true);
                break;
            case Command::EndMatch:
                // While coming back into a match, the end-match command gives up as Escape does.
                if (!p.network.GiveUpReturn()) engine.EndMatchCommand();
                break;
            case Command::NewNetworkMatch:
                // A local match still running ends first, said as the end-match command says
                // it, so the network match that follows starts from a table at rest.
                if (state.running && !engine.Net().active) {
                    if (p.network.ConnectionInUse()) return;
                    engine.EndMatchCommand();
                }
                p.network.StartNetworkGame(p.net);
                break;
            case Command::StopWaiting:
                p.network.AbortWaiting();
                break;
            case Command::GiveUpReturn:
                p.network.GiveUpReturn();
                break;
            case Command::Play:
            case Command::DrawOrStand:
            case Command::SelectPrevious:
            case Command::SelectNext:
            case Command::SelectFirst:
            case Command::SelectLast:
                if (!state.running) return;
                if (state.SuitChoiceActive()) {
                    if (command == Command::Play) engine.PlayerChoosesSuit(state.selectedSuit);
                    if (command == Command::SelectPrevious) engine.SelectSuitLeft();
                    if (command == Command::SelectNext) engine.SelectSuitRight();
                    if (command == Command::SelectFirst) engine.SelectFirstSuit();
                    if (command == Command::SelectLast) engine.SelectLastSuit();
                } else {
                    if (command == Command::Play) engine.PlayPlayerCard();
                    if (command == Command::DrawOrStand) engine.DrawCommand();
                    if (command == Command::SelectPrevious) engine.SelectLeft();
                    if (command == Command::SelectNext) engine.SelectRight();
                    if (command == Command::SelectFirst) engine.SelectFirstCard();
                    if (command == Command::SelectLast) engine.SelectLastCard();
                }
                break;
            case Command::SaySelected:
                p.say.SelectedCard();
                break;
            case Command::SaySelectedValue:
                p.say.SelectedCardValue();
                break;
            case Command::SayAllCards:
                p.say.AllCards();
                break;
            case Command::SayPileCard:
                p.say.PileCard();
                break;
            case Command::SayGameNumber:
                p.say.GameNumber();
                break;
            case Command::SayPlayerWins:
                p.say.PlayerWins();
                break;
            case Command::SayOpponentWins:
                p.say.OpponentWins();
                break;
            case Command::SayPlayerPoints:
                p.say.PlayerPoints();
                break;
            case Command::SayOpponentPoints:
                p.say.OpponentPoints();
                break;
            case Command::SayPlayerTableScore:
                SayTableScore(p.voice, state.playerVoice, state.playerPenalty, state.opponentPenalty);
                break;
            case Command::SayOpponentCount:
                p.say.OpponentCardCount();
                break;
            case Command::SayPlayerCount:
                p.say.PlayerCardCount();
                break;
            case Command::RepeatOpponent:
                p.output.Replay(p.history.LastOfOpponent());
                break;
            case Command::PreviousAnnouncement:
                p.output.Replay(p.history.StepBack());
                break;
            case Command::NextAnnouncement:
                p.output.Replay(p.history.StepForward());
                break;
            case Command::ToggleSounds: {
                GameOptions& options = engine.Options();
                // "off" is still heard, "on" already is.
                if (options.gamesounds) p.Toggle(false);
                options.gamesounds = !options.gamesounds;
                if (options.gamesounds) p.Toggle(true);
                break;
            }
            case Command::ToggleSayDrawnCards: {
                GameOptions& options = engine.Options();
                options.saypickedcards = !options.saypickedcards;
                p.Toggle(options.saypickedcards);
                break;
            }
            case Command::ShowScoreTable:
                p.ShowTable(p.scores.ShowTable(p.texts));
                break;
            case Command::CloseScoreTable:
                p.CloseScoreTable();
                break;
        }
    });
}

void Session::PlayCardAt(std::size_t position, bool alreadyNamed) {
    Parts& p = *parts_;
    p.Run([&p, position, alreadyNamed] {
        Engine& engine = p.engine;
        const GameState& state = engine.State();
        if (!state.running) return;
        if (!state.PlayerTurn()) {
            p.voice.StartPhrase(kNoVoice, "off", kPlainVariant);
            return;
        }
        engine.SelectCard(position);
        if (!alreadyNamed)
            p.voice.SayPhrase(state.playerVoice, rules::CardName(state.SelectedCard()), kCardNameVariant);
        engine.PlayPlayerCard();
    });
}

void Session::NameSuit(std::uint8_t suit, bool alreadyNamed) {
    Parts& p = *parts_;
    p.Run([&p, suit, alreadyNamed] {
        Engine& engine = p.engine;
        const GameState& state = engine.State();
        if (!state.running || suit >= 4) return;
        if (!state.PlayerTurn()) {
            p.voice.StartPhrase(kNoVoice, "off", kPlainVariant);
            return;
        }
        if (!alreadyNamed) p.voice.SayPhrase(state.playerVoice, rules::SuitMarker(suit), kPlainVariant);
        engine.PlayerChoosesSuit(suit);
    });
}

std::optional<ScoreTableSight> Session::WriteResult(std::string_view name) {
    Parts& p = *parts_;
    const ScoreTableOutcome outcome = p.scores.WritePendingResult(name, p.texts);
    if (outcome.error) {
        p.output.Tell(ScoreFileMessage(*outcome.error, p.texts.LanguageBase()));
        return std::nullopt;
    }
    // Writing ends the match once the table is closed.
    p.engine.FinishMatchAfterThisGame();
    if (!outcome.view) return std::nullopt;
    ScoreTableSight sight;
    sight.lines = outcome.view->lines;
    sight.canClose = true;
    return sight;
}

void Session::SendMessage(std::string_view text) {
    parts_->network.Send(protocol::ClientKind::Say, text);
}

void Session::ApplyGameOptions(const GameOptions& options) {
    Parts& p = *parts_;
    p.engine.Options() = options;
    p.engine.OptionsChanged();
    p.Save(p.store.SaveGameOptions(options));
}

void Session::ApplyNetSettings(const NetSettings& settings) {
    Parts& p = *parts_;
    p.net = settings;
    p.Save(p.store.SaveNetSettings(settings));
}

void Session::ApplyEnvironment(const GameOptions& options, const Environment& environment) {
    Parts& p = *parts_;
    p.engine.Options() = options;
    p.engine.OptionsChanged();
    // Later messages come in the new language; the captions only after a restart.
    p.environment = environment;
    p.texts.SetLanguageBase(environment.languageBase);
    p.Save(p.store.SaveEnvironment(options, environment));
}

void Session::UseEnvironment(const Environment& environment) {
    parts_->environment = environment;
}

void Session::CloseScoreTable() {
    parts_->CloseScoreTable();
}

void Session::Close() {
    parts_->network.BreakOffForClosing();
}

bool Session::Possible(Command command) const {
    const Parts& p = *parts_;
    const GameState& state = p.engine.State();
    const GameOptions& options = p.engine.Options();
    const bool say = state.matchOn && options.gamesounds;
    switch (command) {
        case Command::EndMatch:
            return state.matchOn || p.network.Returning();
        case Command::NewNetworkMatch:
            return !(state.matchOn && p.engine.Net().active);
        case Command::StopWaiting:
            return p.network.ConnectionInUse() && !p.engine.Net().active;
        case Command::GiveUpReturn:
            return p.network.Returning();
        case Command::SaySelected:
        case Command::SaySelectedValue:
        case Command::SayAllCards:
        case Command::SayPileCard:
        case Command::SayGameNumber:
        case Command::SayPlayerWins:
        case Command::SayOpponentWins:
        case Command::SayOpponentCount:
        case Command::SayPlayerCount:
            return say;
        case Command::SayPlayerPoints:
        case Command::SayOpponentPoints:
            return say && options.playforpoints;
        case Command::SayPlayerTableScore:
            return say && options.playforpoints && options.usetable;
        case Command::ToggleSayDrawnCards:
            return options.gamesounds;
        case Command::CloseScoreTable:
            return !p.scoreAnswered;
        default:
            return true;
    }
}

bool Session::Busy() const {
    return parts_->gate.Busy();
}

const GameState& Session::Table() const {
    return parts_->engine.State();
}

const GameOptions& Session::Options() const {
    return parts_->engine.Options();
}

const NetSettings& Session::NetworkSettings() const {
    return parts_->net;
}

const Environment& Session::EnvironmentSettings() const {
    return parts_->environment;
}

bool Session::NetworkMatch() const {
    return parts_->engine.Net().active;
}

bool Session::Returning() const {
    return parts_->network.Returning();
}

bool Session::ConnectionInUse() const {
    return parts_->network.ConnectionInUse();
}

const AnnouncementHistory& Session::History() const {
    return parts_->history;
}

const Localizer& Session::Texts() const {
    return parts_->texts;
}

Localizer& Session::Texts() {
    return parts_->texts;
}

SpeechPort& Session::Voice() {
    return parts_->voice;
}

Engine& Session::GameEngine() {
    return parts_->engine;
}

}  // namespace tarvel::session
