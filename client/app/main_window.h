// The main window of tarvel: the table, the message line, the status bar and the
// menu. It owns the engine, the phrase player and the settings for the life of the
// program, draws and writes what the engine tells of the game, and turns every key,
// click, menu command and timer into an engine call through the engine gate.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <map>
#include <memory>

#include "client/dialogs/about_box.h"
#include "client/app/announcement_area.h"
#include "client/app/client_setup.h"
#include "client/dialogs/environment_dialog.h"
#include "client/dialogs/game_settings_dialog.h"
#include "engine/engine.h"
#include "client/history/announcement_history.h"
#include "client/app/engine_gate.h"
#include "client/app/game_speech.h"
#include "client/app/help_window.h"
#include "client/app/history_window.h"
#include "client/app/main_menu.h"
#include "session/net_settings.h"
#include "client/chat/chat_controller.h"
#include "client/net/net_settings_dialog.h"
#include "client/app/network_play.h"
#include "client/net/waiting_dialog.h"
#include "client/speech/phrase_player.h"
#include "client/app/name_dialog.h"
#include "client/app/picture_store.h"
#include "common/random_source.h"
#include "client/history/recorded_speech.h"
#include "client/app/replay_player.h"
#include "client/table/say_commands.h"
#include "client/voice/service_speech.h"
#include "client/scores/score_keeper.h"
#include "client/app/score_table_dialog.h"
#include "client/settings/settings_file.h"
#include "common/string_table.h"
#include "client/table/table_pointer.h"
#include "client/app/table_view.h"
#include "engine/game_event.h"

namespace tarvel {

class MainWindow final : public QMainWindow, public EventPort {
    Q_OBJECT

  public:
    explicit MainWindow(ClientSetup setup);
    ~MainWindow() override;

    Engine& GameEngine() { return *engine_; }
    TableView& Table() { return *table_; }
    const MainMenu& Menu() const { return menu_; }
    QLabel& MessageLine() { return *label1_; }
    const AnnouncementArea& Announcements() const { return *announcements_; }
    // The status bar's panels, left to right: a label, then its figure (wins of each,
    // points of each, the game).
    QLabel& StatusPanelLabel(std::size_t panel) { return *panels_[panel]; }
    PhrasePlayer& Phrases() { return phrases_; }
    const AnnouncementHistory& History() const { return history_; }
    const Localizer& Texts() const { return texts_; }
    NetworkPlay& Network() { return *network_; }
    // True while an engine command runs (and holds what arrives meanwhile).
    bool EngineBusy() const { return gate_.Busy(); }

    // The full redraw of the table, as when the window comes back to the front.
    void FormActivate();

    // What happened in the game: drawn on the table, written in the window.
    void Happened(const GameEvent& event) override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildWindow();
    void ConnectMenu();
    void LoadStartupSettings();
    void StartServerIfAsked();
    // Runs a command past the gate; `redraw` adds the full redraw a menu command makes.
    void Command(std::function<void()> action, bool redraw = false);
    void SayCommand(std::function<void()> say);
    void ToggleSounds(bool fromMenu);
    void ToggleSayDrawnCards(bool fromMenu);
    void ApplySoundsState();
    void SetSayMenuEnabled(bool enabled);
    // The menus' enabling as the match and the sounds stand.
    void UpdateMenus();
    void UpdateStatusPanels();
    void SetLabel(std::string_view text);
    void ScoreTableStep();
    void SetSayItemEnabled(QAction* item, bool enabled);
    void OpenHelp();
    // A picture folder or the help text: in the data folder, or by its bare name.
    QString DataPath(const QString& name) const;
    void ShowMessage(const QString& text);
    void UpdateAccessibleTable();
    void CreateDialogs();
    void ConnectHistory();
    // Says an announcement of the history again, in the background; the edge sound at
    // either end of the history.
    void Repeat(const std::optional<Announcement>& announcement);
    void ShowSilentAnnouncement();
    // Tells a screen reader what the game said in the command that has just ended,
    // when the player follows the game with one.
    void TellScreenReader();
    bool ScreenReaderFollows() const;
    void ApplySpeechMode(std::int32_t mode);
    // The speech service, made when first needed; nothing when it is not available.
    SpeechService* Service();
    void EditGameSettings();
    void EditNetSettings();
    void MakeNetworkPlay();
    void MakeChat();
    void SendChatMessage();
    void ReceiveChatMessage(std::string_view text);
    void EditEnvironment();
    // Runs one save of the settings file; a failure is told, the game goes on.
    void Save(const std::function<void()>& save);
    void ShowScoreTable();
    std::optional<ScoreTableView> WriteResult();
    void ReportScoreFile(const ScoreFileError& error);
    QString Text(int index) const;

    ClientSetup setup_;
    Localizer texts_;
    SettingsFile settings_;
    NetSettings net_;
    std::unique_ptr<AudioBackend> audio_;
    StandardRandom random_;
    PhrasePlayer phrases_;
    GameSpeech gameSpeech_{phrases_};
    AnnouncementHistory history_;
    RecordedSpeech spoken_;
    NetworkPlay* network_ = nullptr;  // the engine's network port
    std::unique_ptr<PictureStore> pictures_;
    TableView* table_ = nullptr;
    QLabel* label1_ = nullptr;
    std::array<QLabel*, 10> panels_{};
    MainMenu menu_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<SayCommands> say_;
    std::unique_ptr<PointerHover> hover_;
    EngineGate gate_;
    bool sayMenuOn_ = false;
    bool networkMatch_ = false;  // the match under way is a network match
    std::map<QAction*, bool> ownEnabling_;
    QTimer formactivatetimer_;
    ScoreKeeper scores_;
    GameSettingsDialog* gameSettingsDialog_ = nullptr;  // TForm2
    AboutBox* aboutBox_ = nullptr;
    NameDialog* nameDialog_ = nullptr;          // TForm5
    ScoreTableDialog* scoreDialog_ = nullptr;   // Tform6
    EnvironmentDialog* environmentDialog_ = nullptr;  // TForm10
    NetSettingsDialog* netSettingsDialog_ = nullptr;   // TForm7
    WaitingDialog* waitingDialog_ = nullptr;           // TForm11
    ChatController* chat_ = nullptr;                   // the voice and message dialogs
    HistoryWindow* historyWindow_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    ReplayPlayer* replay_ = nullptr;
    std::size_t shownEntries_ = 0;  // history entries already on the message line
    AnnouncementArea* announcements_ = nullptr;
    std::size_t toldEntries_ = 0;  // history entries already told to a screen reader
    bool screenReaderToo_ = false;  // told also while the game speaks
    std::unique_ptr<SpeechService> service_;
    std::unique_ptr<ServiceSpeech> serviceSpeech_;
    bool serviceTried_ = false;
};

}  // namespace tarvel
