// The main window of tarvel: the table, the message line, the status bar and the
// menu, over a session that holds the game. It is the session's face: it plays, draws
// and shows what the session hands it, and turns every key, click, menu command and
// timer into a session command. Its own parts are the widgets, the dialogs, the sound
// and the speech service.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "client/app/announcement_area.h"
#include "client/app/client_setup.h"
#include "client/app/game_speech.h"
#include "client/app/help_window.h"
#include "client/app/history_window.h"
#include "client/app/main_menu.h"
#include "client/app/name_dialog.h"
#include "client/app/picture_store.h"
#include "client/app/replay_player.h"
#include "client/app/score_table_dialog.h"
#include "client/app/table_view.h"
#include "client/chat/chat_controller.h"
#include "client/dialogs/about_box.h"
#include "client/dialogs/environment_dialog.h"
#include "client/dialogs/game_settings_dialog.h"
#include "client/net/net_settings_dialog.h"
#include "client/net/waiting_dialog.h"
#include "client/settings/desktop_settings.h"
#include "client/settings/settings_file.h"
#include "client/speech/phrase_player.h"
#include "client/table/table_pointer.h"
#include "client/voice/service_speech.h"
#include "common/random_source.h"
#include "common/string_table.h"
#include "session/session.h"

namespace tarvel {

class MainWindow final : public QMainWindow, public session::SessionOutput {
    Q_OBJECT

  public:
    explicit MainWindow(ClientSetup setup);
    ~MainWindow() override;

    session::Session& Session() { return *session_; }
    Engine& GameEngine() { return session_->GameEngine(); }
    TableView& Table() { return *table_; }
    const MainMenu& Menu() const { return menu_; }
    QLabel& MessageLine() { return *messageLine_; }
    const AnnouncementArea& Announcements() const { return *announcements_; }
    // The status bar's panels, left to right: a label, then its figure (wins of each,
    // points of each, the game).
    QLabel& StatusPanelLabel(std::size_t panel) { return *panels_[panel]; }
    PhrasePlayer& Phrases() { return phrases_; }
    const AnnouncementHistory& History() const { return session_->History(); }
    const Localizer& Texts() const { return session_->Texts(); }
    // True while a command runs (and holds what arrives meanwhile).
    bool EngineBusy() const { return session_->Busy(); }

    // The full redraw of the table, as when the window comes back to the front.
    void FormActivate();

    // The session's face.
    void Play(const session::Phrase& phrase) override;
    void Replay(const std::optional<Announcement>& announcement) override;
    void TableChanged(const GameEvent& event) override;
    void MessageLineChanged(std::string_view text) override;
    void AnswerEnded(const session::Answer& answer) override;
    void Tell(std::string_view message) override;
    void WaitingChanged(session::Waiting waiting) override;
    void ShowScoreTable(const session::ScoreTableSight& table) override;
    void MessageReceived(std::string_view text) override;
    void MatchAgreed() override;
    void EndProgram() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildWindow();
    void ConnectMenu();
    // The Say menu's items and their commands.
    std::vector<std::pair<QAction*, session::Command>> SayMenu() const;
    void StartServerIfAsked();
    // Runs an action of the window in the session's turn, after whatever runs now.
    void RunCommand(std::function<void()> action);
    // A session command; `redraw` adds the full redraw a menu command makes.
    void Handle(session::Command command, bool redraw = false);
    void PressKey(session::Command command);
    void Click(int x, int y);
    bool SoundsOn() const;
    // The sounds switch, the menus and the message line as the sounds stand.
    void ApplySoundsState();
    // The menus' enabling as the match and the sounds stand.
    void UpdateMenus();
    void UpdateStatusPanels();
    void OpenHelp();
    // A picture folder or the help text: in the data folder, or by its bare name.
    QString DataPath(const QString& name) const;
    void ShowMessage(const QString& text);
    void UpdateAccessibleTable();
    void CreateDialogs();
    void ShowSilentAnnouncement(const session::Answer& answer);
    bool ScreenReaderFollows() const;
    void ApplySpeechMode(std::int32_t mode);
    // The speech service, made when first needed; nothing when it is not available.
    SpeechService* Service();
    void EditGameSettings();
    void EditNetSettings();
    void MakeChat();
    void SendChatMessage();
    void EditEnvironment();
    std::optional<ScoreTableView> WriteResult();
    QString Text(int index) const;

    ClientSetup setup_;
    SettingsFile settings_;
    DesktopSettings store_;
    std::unique_ptr<AudioBackend> audio_;
    StandardRandom random_;
    PhrasePlayer phrases_;
    GameSpeech gameSpeech_{phrases_};
    std::unique_ptr<session::Session> session_;
    std::unique_ptr<PictureStore> pictures_;
    TableView* table_ = nullptr;
    QLabel* messageLine_ = nullptr;
    std::array<QLabel*, 10> panels_{};
    MainMenu menu_;
    std::unique_ptr<PointerHover> hover_;
    bool networkMatch_ = false;  // the match under way is a network match
    QTimer formactivatetimer_;
    GameSettingsDialog* gameSettingsDialog_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    NameDialog* nameDialog_ = nullptr;
    ScoreTableDialog* scoreDialog_ = nullptr;
    EnvironmentDialog* environmentDialog_ = nullptr;
    NetSettingsDialog* netSettingsDialog_ = nullptr;
    WaitingDialog* waitingDialog_ = nullptr;
    ChatController* chat_ = nullptr;  // the voice and message dialogs
    HistoryWindow* historyWindow_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    ReplayPlayer* replay_ = nullptr;
    AnnouncementArea* announcements_ = nullptr;
    std::unique_ptr<SpeechService> service_;
    std::unique_ptr<ServiceSpeech> serviceSpeech_;
    bool serviceTried_ = false;
};

}  // namespace tarvel
