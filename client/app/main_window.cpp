#include "client/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "client/app/dialog_focus_return.h"
#include "client/net/server_list.h"
#include "client/table/table_layout.h"
#include "session/history/announcement_line.h"
#include "session/net/installation_name.h"
#include "session/table/table_description.h"
#include "session/texts/client_texts.h"

namespace tarvel {
namespace {

constexpr int kActivationRedrawMilliseconds = 100;
// The message line's place on the table and the status bar's panels' widths.
constexpr QPoint kMessageLinePlace(20, 370);
constexpr int kMessageLineFontPixels = 13;
constexpr std::array<int, 10> kPanelWidths = {65, 50, 65, 50, 60, 50, 60, 50, 50, 50};

StandardRandom RandomFor(const std::optional<std::uint64_t>& seed) {
    return seed ? StandardRandom(*seed, true) : StandardRandom();
}

// While a waited-for phrase sounds the window keeps painting; keys, clicks, timers
// and sockets wait in their queues until it has ended.
void KeepPainted() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ScoreTableView ViewOf(const session::ScoreTableSight& sight) {
    ScoreTableView view;
    view.lines = sight.lines;
    view.buttons.write = sight.canWrite;
    view.buttons.continueGame = sight.canContinue;
    view.buttons.close = sight.canClose;
    return view;
}

}  // namespace

MainWindow::MainWindow(ClientSetup setup)
    : setup_(std::move(setup)),
      settings_(setup_.settingsFile),
      store_(settings_, QDir::currentPath().toStdString()),
      audio_(setup_.audio ? std::move(setup_.audio) : std::make_unique<SilentAudioBackend>()),
      random_(RandomFor(setup_.seed)),
      phrases_(*audio_, random_) {
    // The session reads the settings, the language among them: every caption below
    // comes from the string table in it. The window plays the recordings itself, drawing
    // their variants from the random source the deals use.
    session::SessionSetup made;
    made.output = this;
    made.settings = &store_;
    made.random = &random_;
    made.userName = setup_.userName ? setup_.userName() : ThisInstallationName();
    made.nameRecordings = false;
    session_ = std::make_unique<session::Session>(std::move(made));
    setWindowTitle(Text(1));
    phrases_.SetWhileWaiting(KeepPainted);

    pictures_ = std::make_unique<PictureStore>(DataPath(QStringLiteral("karty")), palette().color(QPalette::Button));
    BuildWindow();

    hover_ = std::make_unique<PointerHover>(session_->Table(), session_->Options(), session_->Voice());
    table_->Attach(session_->Table(), session_->Options(), *hover_);
    table_->onKey = [this](session::Command command) { PressKey(command); };
    // While the client tries to come back into a match, Escape gives up.
    table_->onEscape = [this] {
        if (!session_->Returning()) return false;
        Handle(session::Command::GiveUpReturn);
        return true;
    };
    table_->onClick = [this](int x, int y) { Click(x, y); };
    table_->onPointerRest = [this] { RunCommand([this] { hover_->Rested(); }); };

    CreateDialogs();
    ConnectMenu();
    ApplySpeechMode(session_->EnvironmentSettings().speechMode);
    MakeChat();
    StartServerIfAsked();
    UpdateMenus();

    formactivatetimer_.setInterval(kActivationRedrawMilliseconds);
    formactivatetimer_.setSingleShot(true);
    connect(&formactivatetimer_, &QTimer::timeout, this, [this] { RunCommand([this] { FormActivate(); }); });
    // Coming back to the front redraws whatever covered the table.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) RunCommand([this] { FormActivate(); });
    });

    if (!pictures_->MissingFiles().isEmpty()) {
        ShowMessage(Text(text::kPicturesMissing) + QStringLiteral("\n") + pictures_->MissingFiles().join('\n'));
    }
    UpdateAccessibleTable();
    table_->setFocus();
}

MainWindow::~MainWindow() = default;

QString MainWindow::Text(int index) const {
    return QString::fromStdString(session_->Texts().LocalizedText(index));
}

bool MainWindow::SoundsOn() const {
    return session_->Options().gamesounds;
}

void MainWindow::BuildWindow() {
    InstallScreenReaderInterfaces();
    table_ = new TableView(*pictures_, this);
    table_->setObjectName(QStringLiteral("PaintBox1"));
    setCentralWidget(table_);

    messageLine_ = new QLabel(table_);
    messageLine_->setObjectName(QStringLiteral("messageLine"));
    messageLine_->setAutoFillBackground(true);
    table_->PlaceMessageLine(messageLine_, kMessageLinePlace, kMessageLineFontPixels);
    messageLine_->hide();

    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(statusBar());
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setMinimumWidth(kPanelWidths[i]);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(panels_[i]);
    }
    announcements_ = new AnnouncementArea(statusBar());
    statusBar()->addWidget(announcements_, 1);
    statusBar()->setSizeGripEnabled(false);
    menu_ = BuildMainMenu(*menuBar(), session_->Texts());
}

void MainWindow::ConnectMenu() {
    using session::Command;
    MainMenu& m = menu_;
    connect(m.newGame, &QAction::triggered, this, [this] { Handle(Command::NewMatch); });
    connect(m.endMatch, &QAction::triggered, this, [this] { Handle(Command::EndMatch); });
    connect(m.quit, &QAction::triggered, this, &QWidget::close);
    connect(m.newNetworkGame, &QAction::triggered, this, [this] { Handle(Command::NewNetworkMatch); });
    connect(m.messageToOpponent, &QAction::triggered, this, [this] { RunCommand([this] { SendChatMessage(); }); });
    m.messageToOpponent->setEnabled(false);  // until a network match is agreed

    // The Say menu's commands redraw the table afterwards, as the menu covered it.
    for (const auto& [item, command] : SayMenu()) {
        connect(item, &QAction::triggered, this, [this, command] { Handle(command, command != Command::SayAllCards); });
    }

    connect(m.sounds, &QAction::triggered, this, [this] {
        session_->Handle(Command::ToggleSounds);
        RunCommand([this] {
            ApplySoundsState();
            FormActivate();
        });
    });
    connect(m.sayDrawnCards, &QAction::triggered, this, [this] { Handle(Command::ToggleSayDrawnCards, true); });
    connect(m.scoreTable, &QAction::triggered, this, [this] { Handle(Command::ShowScoreTable, true); });
    connect(m.gameSettings, &QAction::triggered, this, [this] { RunCommand([this] { EditGameSettings(); }); });
    connect(m.environmentSettings, &QAction::triggered, this, [this] { RunCommand([this] { EditEnvironment(); }); });
    connect(m.messageVoiceSettings, &QAction::triggered, this, [this] { RunCommand([this] { chat_->EditVoice(); }); });
    connect(m.networkSettings, &QAction::triggered, this, [this] { RunCommand([this] { EditNetSettings(); }); });
    connect(m.instructions, &QAction::triggered, this, [this] { OpenHelp(); });
    connect(m.about, &QAction::triggered, this, [this] { RunCommand([this] { aboutBox_->exec(); }); });

    replay_ = new ReplayPlayer(phrases_, *audio_, this);
    gameSpeech_.beforeSpeaking = [this] { replay_->Stop(); };
    historyWindow_ = new HistoryWindow(session_->Texts(), this);
    connect(m.repeatOpponent, &QAction::triggered, this, [this] { Handle(Command::RepeatOpponent); });
    connect(m.previousAnnouncement, &QAction::triggered, this, [this] { Handle(Command::PreviousAnnouncement); });
    connect(m.nextAnnouncement, &QAction::triggered, this, [this] { Handle(Command::NextAnnouncement); });
    connect(m.historyWindow, &QAction::triggered, this,
            [this] { RunCommand([this] { historyWindow_->ShowHistory(session_->History()); }); });
}

std::vector<std::pair<QAction*, session::Command>> MainWindow::SayMenu() const {
    using session::Command;
    const MainMenu& m = menu_;
    return {{m.saySelectedCard, Command::SaySelected},
            {m.saySelectedValue, Command::SaySelectedValue},
            {m.sayAllCards, Command::SayAllCards},
            {m.sayPileCard, Command::SayPileCard},
            {m.sayGameNumber, Command::SayGameNumber},
            {m.sayPlayerWins, Command::SayPlayerWins},
            {m.sayOpponentWins, Command::SayOpponentWins},
            {m.sayPlayerPoints, Command::SayPlayerPoints},
            {m.sayPlayerTableScore, Command::SayPlayerTableScore},
            {m.sayOpponentPoints, Command::SayOpponentPoints},
            {m.sayOpponentCount, Command::SayOpponentCount},
            {m.sayPlayerCount, Command::SayPlayerCount}};
}

void MainWindow::RunCommand(std::function<void()> action) {
    session_->Run(std::move(action));
}

void MainWindow::Handle(session::Command command, bool redraw) {
    session_->Handle(command);
    if (redraw) RunCommand([this] { FormActivate(); });
}

void MainWindow::PressKey(session::Command command) {
    // The table's keys act while a game runs.
    if (!session_->Table().running) return;
    session_->Handle(command);
}

void MainWindow::Click(int x, int y) {
    const GameState& state = session_->Table();
    if (!state.running) return;
    // Resting on a card or a suit named it already.
    const bool named = session_->Options().saycardsundermouse;
    switch (AreaAt(state, x, y)) {
        case TableArea::Stock:
            session_->Handle(session::Command::DrawOrStand);
            break;
        case TableArea::Hand:
            session_->PlayCardAt(HandCardAt(state, x), named);
            break;
        case TableArea::SuitRow:
            session_->NameSuit(layout::SuitAtX(x), named);
            break;
        case TableArea::Pile:
        case TableArea::None:
            break;
    }
}

void MainWindow::Play(const session::Phrase& phrase) {
    // The program's own sounds are recordings whatever way the game is heard.
    SpeechPort& speech = phrase.interfaceSound ? static_cast<SpeechPort&>(phrases_) : gameSpeech_;
    if (phrase.waited) {
        speech.SayPhrase(phrase.voice, phrase.text, phrase.variant);
    } else {
        speech.StartPhrase(phrase.voice, phrase.text, phrase.variant);
    }
}

void MainWindow::Replay(const std::optional<Announcement>& announcement) {
    if (!announcement) {
        replay_->Stop();
        if (SoundsOn()) phrases_.StartPhrase(kNoVoice, "okraj", kPlainVariant);
        return;
    }
    if (gameSpeech_.Mode() == SpeechMode::Off) {
        messageLine_->setText(FromUtf8(AnnouncementLine(*announcement, session_->Texts())));
        return;
    }
    if (gameSpeech_.Mode() == SpeechMode::Service && service_) {
        // The service says the whole announcement in one breath, in the background.
        service_->Say(announcement->text);
        return;
    }
    if (!SoundsOn()) return;
    const auto& entries = session_->History().Entries();
    std::vector<SpokenEntry> words;
    for (std::size_t i = announcement->first; i < announcement->first + announcement->count; ++i) {
        if (!entries[i].feedback) words.push_back(entries[i]);
    }
    replay_->Play(words);
}

void MainWindow::TableChanged(const GameEvent& event) {
    table_->Show(event);
    switch (event.kind) {
        case GameEventKind::GameBegins:
            networkMatch_ = session_->NetworkMatch();
            messageLine_->setVisible(!SoundsOn());
            UpdateMenus();
            break;
        case GameEventKind::Dealt:
            UpdateMenus();
            break;
        case GameEventKind::GameUnderWay:
            formactivatetimer_.start();
            break;
        case GameEventKind::MatchEnded:
            if (networkMatch_) menu_.messageToOpponent->setEnabled(false);
            networkMatch_ = false;
            UpdateMenus();
            messageLine_->setVisible(false);
            break;
        default:
            break;
    }
    UpdateStatusPanels();
}

void MainWindow::MessageLineChanged(std::string_view text) {
    messageLine_->setText(FromUtf8(text));
}

void MainWindow::AnswerEnded(const session::Answer& answer) {
    ShowSilentAnnouncement(answer);
    UpdateAccessibleTable();
    UpdateMenus();
    if (!answer.screenReaderText.empty() && ScreenReaderFollows()) {
        announcements_->Announce(FromUtf8(answer.screenReaderText));
    }
    // The table keeps the keys within the window; the window itself is brought back to
    // the front only by a dialog of the game closing (DialogFocusReturn).
    if (QApplication::activeModalWidget() == nullptr) table_->setFocus();
}

void MainWindow::Tell(std::string_view message) {
    ShowMessage(FromUtf8(message));
}

void MainWindow::WaitingChanged(session::Waiting waiting) {
    switch (waiting) {
        case session::Waiting::Shown:
            waitingDialog_->open();
            break;
        case session::Waiting::NoAnswer:
            waitingDialog_->ShowNoAnswerYet();
            break;
        case session::Waiting::Closed:
            waitingDialog_->CloseQuietly();
            break;
    }
}

void MainWindow::ShowScoreTable(const session::ScoreTableSight& table) {
    // The dialog is held open; closing it answers the table at once.
    scoreDialog_->ShowModally(ViewOf(table));
    session_->CloseScoreTable();
    table_->setFocus();
}

void MainWindow::MessageReceived(std::string_view text) {
    const ReceivedMessage received = chat_->Receive(text);
    table_->PrintChatLine(received.line, received.spoken ? QString() : received.announcement);
}

void MainWindow::MatchAgreed() {
    if (!chat_->VoiceReady()) chat_->LoadVoiceSettings();
    menu_.messageToOpponent->setEnabled(true);
}

void MainWindow::EndProgram() {
    if (setup_.endProgram) {
        setup_.endProgram();
    } else {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

void MainWindow::ShowSilentAnnouncement(const session::Answer& answer) {
    // With the game's speech off, the message line shows what would have been said.
    if (gameSpeech_.Mode() != SpeechMode::Off || answer.screenReaderText.empty()) return;
    const auto announcements = session_->History().Announcements();
    if (announcements.empty()) return;
    messageLine_->setText(FromUtf8(AnnouncementLine(announcements.back(), session_->Texts())));
    messageLine_->show();
}

bool MainWindow::ScreenReaderFollows() const {
    // The game's own speech off, or its sounds: the message line shows what is said,
    // and a screen reader reads it; or the player asked for it beside the game's speech.
    return gameSpeech_.Mode() == SpeechMode::Off || !SoundsOn() || session_->EnvironmentSettings().screenReader;
}

void MainWindow::CreateDialogs() {
    const Localizer& texts = session_->Texts();
    // In the order the game has always made them.
    gameSettingsDialog_ = new GameSettingsDialog(texts, this);
    aboutBox_ = new AboutBox(texts, this);
    nameDialog_ = new NameDialog(texts, [this](const QString& message) { ShowMessage(message); }, this);
    scoreDialog_ = new ScoreTableDialog(texts, this);
    environmentDialog_ = new EnvironmentDialog(session_->Texts(), this);
    gameSettingsDialog_->setObjectName(QStringLiteral("gameSettingsDialog"));
    aboutBox_->setObjectName(QStringLiteral("TAboutBox"));
    environmentDialog_->setObjectName(QStringLiteral("environmentDialog"));
    netSettingsDialog_ = new NetSettingsDialog(
        texts, ReadServerList(kServerListName), [this](const QString& message) { ShowMessage(message); }, this);
    netSettingsDialog_->setObjectName(QStringLiteral("netSettingsDialog"));
    waitingDialog_ = new WaitingDialog(texts, this);
    waitingDialog_->setObjectName(QStringLiteral("waitingDialog"));
    connect(waitingDialog_, &WaitingDialog::aborted, this, [this] { Handle(session::Command::StopWaiting); });
    scoreDialog_->onWrite = [this] { return WriteResult(); };
    helpWindow_ = new HelpWindow(texts, this);
    new DialogFocusReturn(*this, [this] { table_->setFocus(); });
}

void MainWindow::MakeChat() {
    // The chat's voice comes from the speech service only when voice messages were
    // allowed at start-up; otherwise messages are printed and nothing is asked of it.
    SpeechService* service = session_->NetworkSettings().allowvoicechat ? Service() : nullptr;
    chat_ = new ChatController(service, settings_, session_->Texts(),
                               [this](const QString& message) { ShowMessage(message); }, this);
    chat_->onVoiceReady = [this] { menu_.messageToOpponent->setEnabled(true); };
}

void MainWindow::SendChatMessage() {
    if (const std::optional<std::string> text = chat_->AskMessage()) session_->SendMessage(*text);
    FormActivate();
}

void MainWindow::EditNetSettings() {
    // The server's name is read each time, as the dialog shows what the file holds.
    NetSettings net = session_->NetworkSettings();
    net.servername = settings_.LoadServerName();
    const std::optional<NetSettings> chosen = netSettingsDialog_->Edit(net, ServerListExists(kServerListName));
    if (!chosen) return;
    session_->ApplyNetSettings(*chosen);
    chat_->SetAllowVoiceChat(chosen->allowvoicechat);
}

void MainWindow::EditGameSettings() {
    GameOptions options = session_->Options();
    if (gameSettingsDialog_->Edit(options)) {
        session_->ApplyGameOptions(options);
        menu_.sayDrawnCards->setChecked(options.saypickedcards);
    }
    formactivatetimer_.start();
}

void MainWindow::EditEnvironment() {
    GameOptions options = session_->Options();
    session::Environment environment = session_->EnvironmentSettings();
    const EnvironmentChoice current{options.gamesounds,       options.movemouse,
                                    options.saycardsundermouse, session_->Texts().LanguageBase(),
                                    static_cast<std::int32_t>(gameSpeech_.Mode()), environment.screenReader};
    if (const std::optional<EnvironmentChoice> choice = environmentDialog_->Edit(current)) {
        // The sounds as their menu item sets them, without saying "on" or "off".
        options.gamesounds = choice->soundsOn;
        options.movemouse = choice->movemouse;
        options.saycardsundermouse = choice->saycardsundermouse;
        environment.languageBase = choice->languageBase;
        environment.speechMode = choice->speechMode;
        environment.screenReader = choice->screenReader;
        session_->ApplyEnvironment(options, environment);
        ApplySpeechMode(choice->speechMode);
        ApplySoundsState();
        if (environmentDialog_->LanguageChanged()) ShowMessage(Text(text::kRestartToApply));
    }
    formactivatetimer_.start();
}

std::optional<ScoreTableView> MainWindow::WriteResult() {
    const std::optional<QString> name = nameDialog_->AskName();
    if (!name) return std::nullopt;
    const std::optional<session::ScoreTableSight> written = session_->WriteResult(name->toStdString());
    if (!written) return std::nullopt;
    return ViewOf(*written);
}

SpeechService* MainWindow::Service() {
    if (!serviceTried_) {
        serviceTried_ = true;
        if (setup_.makeSpeechService) service_ = setup_.makeSpeechService();
    }
    return service_ && service_->Available() ? service_.get() : nullptr;
}

void MainWindow::ApplySpeechMode(std::int32_t mode) {
    SpeechMode chosen = static_cast<SpeechMode>(mode);
    if (chosen == SpeechMode::Service) {
        if (SpeechService* service = Service()) {
            if (!serviceSpeech_) {
                // Effects still sound as recordings; words come from the service, and a
                // waited-for one holds the game as a recording does.
                serviceSpeech_ = std::make_unique<ServiceSpeech>(*service, phrases_);
                serviceSpeech_->SetWhileWaiting(KeepPainted);
            }
            gameSpeech_.SetService(serviceSpeech_.get());
        } else {
            // Played through the recordings instead, as long as no service is found.
            chosen = SpeechMode::Recordings;
            session::Environment environment = session_->EnvironmentSettings();
            environment.speechMode = session::kSpeechRecordings;
            session_->UseEnvironment(environment);
            ShowMessage(Text(text::kNoSpeechService));
        }
    }
    gameSpeech_.SetMode(chosen);
    ApplySoundsState();
}

void MainWindow::StartServerIfAsked() {
    if (!session_->NetworkSettings().runserver) return;
    const QString program = QDir(setup_.programFolder).filePath(QStringLiteral("tarvelsvr"));
    const bool started = QFileInfo(program).isExecutable() && setup_.startProgram && setup_.startProgram(program);
    if (!started) ShowMessage(Text(text::kServerNotStarted).arg(program));
}

void MainWindow::FormActivate() {
    const GameState& state = session_->Table();
    if (!state.running || state.playerHand.empty()) return;
    table_->Redraw();
}

void MainWindow::ApplySoundsState() {
    const bool on = SoundsOn();
    menu_.sounds->setChecked(on);
    menu_.sayDrawnCards->setChecked(session_->Options().saypickedcards);
    UpdateMenus();
    // With the speech off the message line shows what is said.
    messageLine_->setVisible(!on || gameSpeech_.Mode() == SpeechMode::Off);
}

void MainWindow::UpdateMenus() {
    using session::Command;
    const GameState& state = session_->Table();
    menu_.endMatch->setEnabled(state.matchOn);
    menu_.gameSettings->setEnabled(!state.matchOn);
    // A network match keeps its connection and its settings until it ends.
    menu_.newNetworkGame->setEnabled(!networkMatch_);
    menu_.networkSettings->setEnabled(!networkMatch_);
    menu_.sounds->setChecked(SoundsOn());
    menu_.sayDrawnCards->setEnabled(session_->Possible(Command::ToggleSayDrawnCards));
    menu_.sayDrawnCards->setChecked(session_->Options().saypickedcards);
    // A disabled submenu silences its shortcuts too, so each item follows it.
    const bool say = session_->Possible(Command::SaySelected);
    menu_.sayMenu->menuAction()->setEnabled(say);
    for (const auto& [item, command] : SayMenu()) item->setEnabled(say && session_->Possible(command));
}

void MainWindow::UpdateStatusPanels() {
    const GameState& state = session_->Table();
    const bool points = session_->Options().playforpoints;
    auto number = [](std::int64_t value) { return QString::number(value); };
    const QString texts[10] = {Text(text::kYourWins),
                               number(state.playerWins),
                               Text(text::kMyWins),
                               number(state.opponentWins),
                               points ? Text(text::kYourPoints) : QString(),
                               points ? number(state.playerPenalty) : QString(),
                               points ? Text(text::kMyPoints) : QString(),
                               points ? number(state.opponentPenalty) : QString(),
                               Text(text::kGame),
                               number(state.gameNumber)};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (panels_[i]->text() != texts[i]) panels_[i]->setText(texts[i]);
    }
}

void MainWindow::OpenHelp() {
    const QString help = QDir::current().absoluteFilePath(DataPath(QStringLiteral("tarvel.txt")));
    if (QFileInfo::exists(help) && setup_.openFile && setup_.openFile(help)) return;
    // No viewer on this machine: the text is shown inside the game instead.
    // Only a plain file: a pipe by that name would hold the game.
    QFile file(help);
    if (!QFileInfo(help).isFile() || !file.open(QIODevice::ReadOnly)) {
        ShowMessage(Text(text::kHelpNotOpened).arg(help));
        return;
    }
    helpWindow_->ShowHelp(QString::fromUtf8(file.readAll()));
}

QString MainWindow::DataPath(const QString& name) const {
    return setup_.dataFolder.isEmpty() ? name : QDir(setup_.dataFolder).filePath(name);
}

void MainWindow::ShowMessage(const QString& message) {
    if (setup_.showMessage) {
        setup_.showMessage(message);
    } else {
        QMessageBox::information(this, Text(1), message);
    }
    table_->setFocus();
}

void MainWindow::UpdateAccessibleTable() {
    // The name carries what lies on the table, read when the table is focused; the
    // description holds it alone (and is not read out again).
    const QString summary = QString::fromStdString(DescribeTable(session_->Table(), session_->Texts()));
    if (summary == table_->accessibleDescription()) return;
    table_->setAccessibleDescription(summary);
    // Qt tells a screen reader of both changes itself, which has it read the name afresh
    // the next time the table is focused; what changed is told by the announcement area.
    table_->setAccessibleName(Text(text::kTableName) + QStringLiteral(". ") + summary);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The opponent is told at once instead of waiting for the connection to time out.
    session_->Close();
    event->accept();
}

}  // namespace tarvel
