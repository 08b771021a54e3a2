#include "client/app/main_window.h"

#include "client/app/dialog_focus_return.h"
#include "client/net/installation_name.h"
#include "client/net/server_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "client/settings/client_strings.h"
#include "client/scores/score_file_message.h"
#include "client/scores/score_moment.h"
#include "client/scores/table_score_speech.h"
#include "client/settings/client_texts.h"
#include "common/profile_file.h"
#include "client/settings/message_line.h"
#include "client/app/screen_reader_text.h"
#include "client/table/table_description.h"
#include "client/table/table_layout.h"

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

}  // namespace

MainWindow::MainWindow(ClientSetup setup)
    : setup_(std::move(setup)),
      texts_(ClientStrings()),
      settings_(setup_.settingsFile),
      audio_(setup_.audio ? std::move(setup_.audio) : std::make_unique<SilentAudioBackend>()),
      random_(RandomFor(setup_.seed)),
      phrases_(*audio_, random_),
      spoken_(gameSpeech_, history_, [this] { return engine_->State().playerVoice; }) {
    // The language first: every caption below comes from the string table in it.
    texts_.SetLanguageBase(settings_.LoadLanguage());
    setWindowTitle(Text(1));
    phrases_.SetWhileWaiting(KeepPainted);

    pictures_ = std::make_unique<PictureStore>(DataPath(QStringLiteral("karty")), palette().color(QPalette::Button));
    BuildWindow();

    // Everything the game says goes into the history on its way to the player.
    MakeNetworkPlay();
    engine_ = std::make_unique<Engine>(spoken_, *this, *network_, random_);
    network_->Attach(*engine_, setup_.userName ? setup_.userName() : ThisInstallationName());
    say_ = std::make_unique<SayCommands>(engine_->State(), spoken_);
    hover_ = std::make_unique<PointerHover>(engine_->State(), engine_->Options(), spoken_);
    table_->Attach(engine_->State(), engine_->Options(), *hover_);
    table_->onKey = [this](TableKey key) { Command([this, key] { PressTableKey(key, *engine_, *say_); }); };
    // While the client tries to come back into a match, Escape gives up.
    table_->onEscape = [this] {
        if (!network_->Returning()) return false;
        Command([this] { network_->GiveUpReturn(); });
        return true;
    };
    table_->onClick = [this](int x, int y) { Command([this, x, y] { ClickTable(x, y, *engine_, spoken_); }); };
    table_->onPointerRest = [this] { Command([this] { hover_->Rested(); }); };
    gate_.afterActions = [this] {
        ShowSilentAnnouncement();
        UpdateAccessibleTable();
        TellScreenReader();
        // The table keeps the keys within the window; the window itself is brought
        // back to the front only by a dialog of the game closing (DialogFocusReturn).
        if (QApplication::activeModalWidget() == nullptr) table_->setFocus();
    };

    CreateDialogs();
    ConnectMenu();
    ConnectHistory();
    LoadStartupSettings();
    MakeChat();
    StartServerIfAsked();
    if (!phrases_.SoundsOn()) menu_.katlzankarty1->setEnabled(false);

    formactivatetimer_.setInterval(kActivationRedrawMilliseconds);
    formactivatetimer_.setSingleShot(true);
    connect(&formactivatetimer_, &QTimer::timeout, this, [this] { Command([this] { FormActivate(); }); });
    // Coming back to the front redraws whatever covered the table.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) Command([this] { FormActivate(); });
    });

    if (!pictures_->MissingFiles().isEmpty()) {
        ShowMessage(Text(text::kPicturesMissing) + QStringLiteral("\n") + pictures_->MissingFiles().join('\n'));
    }
    UpdateAccessibleTable();
    table_->setFocus();
}

MainWindow::~MainWindow() = default;

QString MainWindow::Text(int index) const {
    return QString::fromStdString(texts_.LocalizedText(index));
}

void MainWindow::BuildWindow() {
    InstallScreenReaderInterfaces();
    table_ = new TableView(*pictures_, this);
    table_->setObjectName(QStringLiteral("PaintBox1"));
    setCentralWidget(table_);

    label1_ = new QLabel(table_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAutoFillBackground(true);
    table_->PlaceMessageLine(label1_, kMessageLinePlace, kMessageLineFontPixels);
    label1_->hide();

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
    menu_ = BuildMainMenu(*menuBar(), texts_);
}

void MainWindow::ConnectMenu() {
    MainMenu& m = menu_;
    connect(m.Novhra1, &QAction::triggered, this, [this] {
        Command([this] {
            history_.Clear();  // a new match: a new history
            shownEntries_ = 0;
            toldEntries_ = 0;
            engine_->Novhra1Click(true);
        });
    });
    connect(m.Ukonenhry1, &QAction::triggered, this, [this] {
        Command([this] {
            // While coming back into a match, the end-match command gives up as Escape does.
            if (!network_->GiveUpReturn()) engine_->Ukonenhry1Click();
        });
    });
    connect(m.Konecprogramu1, &QAction::triggered, this, &QWidget::close);
    connect(m.Novsovhra1, &QAction::triggered, this, [this] {
        Command([this] {
            // A local match still running ends first, said as the end-match command says
            // it, so the network match that follows starts from a table at rest.
            if (engine_->State().running && !engine_->Net().active) {
                if (network_->ConnectionInUse()) return;
                engine_->Ukonenhry1Click();
            }
            network_->StartNetworkGame(net_);
        });
    });
    connect(m.Polizprvusoupei1, &QAction::triggered, this, [this] { Command([this] { SendChatMessage(); }); });

    connect(m.vybrankarta1, &QAction::triggered, this, [this] {
        // Nothing said, and no redraw, while the player holds no card.
        Command([this] {
            if (say_->SelectedCard()) FormActivate();
        });
    });
    connect(m.h1, &QAction::triggered, this, [this] { SayCommand([this] { say_->SelectedCardValue(); }); });
    connect(m.Vechnykar1, &QAction::triggered, this, [this] { Command([this] { say_->AllCards(); }); });
    connect(m.Kartanahromdce1, &QAction::triggered, this, [this] { SayCommand([this] { say_->PileCard(); }); });
    connect(m.Kterhra1, &QAction::triggered, this, [this] { SayCommand([this] { say_->GameNumber(); }); });
    connect(m.Tvojevhry1, &QAction::triggered, this, [this] { SayCommand([this] { say_->PlayerWins(); }); });
    connect(m.Mojevhry1, &QAction::triggered, this, [this] { SayCommand([this] { say_->OpponentWins(); }); });
    connect(m.tvojebody1, &QAction::triggered, this, [this] { SayCommand([this] { say_->PlayerPoints(); }); });
    connect(m.Tvojebodydotabulky1, &QAction::triggered, this, [this] {
        SayCommand([this] {
            const GameState& state = engine_->State();
            SayTableScore(spoken_, state.playerVoice, state.playerPenalty, state.opponentPenalty);
        });
    });
    connect(m.Mojebody1, &QAction::triggered, this, [this] { SayCommand([this] { say_->OpponentPoints(); }); });
    connect(m.P1, &QAction::triggered, this, [this] { SayCommand([this] { say_->OpponentCardCount(); }); });
    connect(m.Poettvchkaret1, &QAction::triggered, this,
            [this] { SayCommand([this] { say_->PlayerCardCount(); }); });

    connect(m.Zvuky1, &QAction::triggered, this, [this] { Command([this] { ToggleSounds(true); }); });
    connect(m.katlzankarty1, &QAction::triggered, this, [this] { Command([this] { ToggleSayDrawnCards(true); }); });
    connect(m.Tabulka1, &QAction::triggered, this, [this] { Command([this] { ShowScoreTable(); }, true); });
    connect(m.Nastavenhry1, &QAction::triggered, this, [this] { Command([this] { EditGameSettings(); }); });
    connect(m.Nastavenprosted1, &QAction::triggered, this, [this] { Command([this] { EditEnvironment(); }); });
    connect(m.Nastavenhlasuprozprvy1, &QAction::triggered, this, [this] { Command([this] { chat_->EditVoice(); }); });
    connect(m.Sovnastaven1, &QAction::triggered, this, [this] { Command([this] { EditNetSettings(); }); });
    connect(m.Nvod1, &QAction::triggered, this, [this] { OpenHelp(); });
    connect(m.Oprogramu1, &QAction::triggered, this, [this] { Command([this] { aboutBox_->exec(); }); });

    // At start: no match runs.
    m.Novhra1->setEnabled(true);
    m.Polizprvusoupei1->setEnabled(false);
    m.Ukonenhry1->setEnabled(false);
    SetSayMenuEnabled(false);
    m.Zvuky1->setChecked(true);
    m.katlzankarty1->setChecked(true);
}

void MainWindow::ConnectHistory() {
    replay_ = new ReplayPlayer(phrases_, *audio_, this);
    gameSpeech_.beforeSpeaking = [this] { replay_->Stop(); };
    historyWindow_ = new HistoryWindow(texts_, this);
    connect(menu_.Zopakujsoupere1, &QAction::triggered, this,
            [this] { Command([this] { Repeat(history_.LastOfOpponent()); }); });
    connect(menu_.Predchozihlaseni1, &QAction::triggered, this,
            [this] { Command([this] { Repeat(history_.StepBack()); }); });
    connect(menu_.Dalsihlaseni1, &QAction::triggered, this,
            [this] { Command([this] { Repeat(history_.StepForward()); }); });
    connect(menu_.Oknohistorie1, &QAction::triggered, this,
            [this] { Command([this] { historyWindow_->ShowHistory(history_); }); });
}

void MainWindow::Repeat(const std::optional<Announcement>& announcement) {
    if (!announcement) {
        replay_->Stop();
        phrases_.StartPhrase(kNoVoice, "okraj", kPlainVariant);
        return;
    }
    if (gameSpeech_.Mode() == SpeechMode::Off) {
        label1_->setText(AnnouncementLine(*announcement, texts_));
        return;
    }
    if (gameSpeech_.Mode() == SpeechMode::Service && service_) {
        // The service says the whole announcement in one breath, in the background.
        service_->Say(announcement->text);
        return;
    }
    const auto& entries = history_.Entries();
    std::vector<SpokenEntry> words;
    for (std::size_t i = announcement->first; i < announcement->first + announcement->count; ++i) {
        if (!entries[i].feedback) words.push_back(entries[i]);
    }
    replay_->Play(words);
}

void MainWindow::ShowSilentAnnouncement() {
    // With the game's speech off, the message line shows what would have been said.
    if (gameSpeech_.Mode() != SpeechMode::Off || history_.Entries().size() == shownEntries_) return;
    shownEntries_ = history_.Entries().size();
    const auto announcements = history_.Announcements();
    if (announcements.empty()) return;
    label1_->setText(AnnouncementLine(announcements.back(), texts_));
    label1_->show();
}

bool MainWindow::ScreenReaderFollows() const {
    // The game's own speech off, or its sounds: the message line shows what is said,
    // and a screen reader reads it; or the player asked for it beside the game's speech.
    return gameSpeech_.Mode() == SpeechMode::Off || !phrases_.SoundsOn() || screenReaderToo_;
}

void MainWindow::TellScreenReader() {
    const std::size_t said = history_.Entries().size();
    if (said == toldEntries_) return;
    const std::size_t first = said < toldEntries_ ? 0 : toldEntries_;
    toldEntries_ = said;
    if (ScreenReaderFollows()) announcements_->Announce(ScreenReaderText(history_, first, texts_));
}

void MainWindow::CreateDialogs() {
    // In the order the game has always made them.
    gameSettingsDialog_ = new GameSettingsDialog(texts_, this);
    aboutBox_ = new AboutBox(texts_, this);
    nameDialog_ = new NameDialog(texts_, [this](const QString& message) { ShowMessage(message); }, this);
    scoreDialog_ = new ScoreTableDialog(texts_, this);
    environmentDialog_ = new EnvironmentDialog(texts_, this);
    gameSettingsDialog_->setObjectName(QStringLiteral("TForm2"));
    aboutBox_->setObjectName(QStringLiteral("TAboutBox"));
    environmentDialog_->setObjectName(QStringLiteral("TForm10"));
    netSettingsDialog_ = new NetSettingsDialog(
        texts_, ReadServerList(kServerListName), [this](const QString& message) { ShowMessage(message); }, this);
    netSettingsDialog_->setObjectName(QStringLiteral("TForm7"));
    waitingDialog_ = new WaitingDialog(texts_, this);
    waitingDialog_->setObjectName(QStringLiteral("TForm11"));
    connect(waitingDialog_, &WaitingDialog::aborted, this, [this] { network_->AbortWaiting(); });
    scoreDialog_->onWrite = [this] { return WriteResult(); };
    helpWindow_ = new HelpWindow(texts_, this);
    new DialogFocusReturn(*this, [this] { table_->setFocus(); });
}

void MainWindow::Save(const std::function<void()>& save) {
    try {
        save();
    } catch (const ProfileWriteError& error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
}

void MainWindow::MakeNetworkPlay() {
    NetworkPlay::WindowHooks hooks;
    hooks.runInGate = [this](std::function<void()> action) { Command(std::move(action)); };
    hooks.showMessage = [this](const std::string& message) { ShowMessage(QString::fromStdString(message)); };
    hooks.text = [this](int index) { return texts_.LocalizedText(index); };
    hooks.showWaiting = [this] { waitingDialog_->open(); };
    hooks.closeWaiting = [this] { waitingDialog_->CloseQuietly(); };
    hooks.showNoAnswer = [this] { waitingDialog_->ShowNoAnswerYet(); };
    hooks.endProgram = [this] {
        if (setup_.endProgram) {
            setup_.endProgram();
        } else {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    };
    hooks.matchAgreed = [this] {
        // The first game of a network match starts a new history, as a new local match does.
        if (engine_->State().lastStarter == kStarterUnknown) {
            history_.Clear();
            shownEntries_ = 0;
            toldEntries_ = 0;
        }
        if (!chat_->VoiceReady()) chat_->LoadVoiceSettings();
        menu_.Polizprvusoupei1->setEnabled(true);
    };
    hooks.messageFromOpponent = [this](std::string_view text) { ReceiveChatMessage(text); };
    network_ = new NetworkPlay(std::move(hooks), this);
}

void MainWindow::MakeChat() {
    // The chat's voice comes from the speech service only when voice messages were
    // allowed at start-up; otherwise messages are printed and nothing is asked of it.
    SpeechService* service = net_.allowvoicechat ? Service() : nullptr;
    chat_ = new ChatController(service, settings_, texts_, [this](const QString& message) { ShowMessage(message); },
                               this);
    chat_->onVoiceReady = [this] { menu_.Polizprvusoupei1->setEnabled(true); };
}

void MainWindow::SendChatMessage() {
    if (const std::optional<std::string> text = chat_->AskMessage()) network_->Send(protocol::ClientKind::Say, *text);
    FormActivate();
}

void MainWindow::ReceiveChatMessage(std::string_view text) {
    const ReceivedMessage received = chat_->Receive(text);
    // The history keeps it with the opponent's words; the chat voice, not a recording, reads it.
    history_.Add(SpokenEntry{Speaker::Opponent, engine_->State().opponentVoice, received.line.trimmed().toStdString(),
                             kPlainVariant, false, false});
    table_->PrintChatLine(received.line, received.spoken ? QString() : received.announcement);
}

void MainWindow::EditNetSettings() {
    // The server's name is read each time, as the dialog shows what the file holds.
    net_.servername = settings_.LoadServerName();
    const std::optional<NetSettings> chosen = netSettingsDialog_->Edit(net_, ServerListExists(kServerListName));
    if (!chosen) return;
    net_ = *chosen;
    Save([this] { settings_.SaveNetSettings(net_); });
    chat_->SetAllowVoiceChat(net_.allowvoicechat);
}

void MainWindow::EditGameSettings() {
    GameOptions& options = engine_->Options();
    if (gameSettingsDialog_->Edit(options)) {
        engine_->ApplyGenderFromOptions();
        menu_.katlzankarty1->setChecked(options.saypickedcards);
        Save([&] { settings_.SaveGameSettings(options, phrases_.SoundsOn()); });
    }
    formactivatetimer_.start();
}

void MainWindow::EditEnvironment() {
    GameOptions& options = engine_->Options();
    const EnvironmentChoice current{phrases_.SoundsOn(), options.movemouse, options.saycardsundermouse,
                                    texts_.LanguageBase(), static_cast<std::int32_t>(gameSpeech_.Mode()),
                                    screenReaderToo_};
    if (const std::optional<EnvironmentChoice> choice = environmentDialog_->Edit(current)) {
        // The sounds as their menu item sets them, without saying "on" or "off".
        phrases_.SetSoundsOn(choice->soundsOn);
        if (serviceSpeech_) serviceSpeech_->SetSoundsOn(choice->soundsOn);
        options.gamesounds = choice->soundsOn;
        ApplySoundsState();
        options.movemouse = choice->movemouse;
        options.saycardsundermouse = choice->saycardsundermouse;
        ApplySpeechMode(choice->speechMode);
        screenReaderToo_ = choice->screenReader;
        Save([&] {
            settings_.SaveGameSettings(options, phrases_.SoundsOn());
            settings_.SaveLanguage(texts_.LanguageBase());
            settings_.SaveSpeechMode(choice->speechMode);
            settings_.SaveScreenReader(choice->screenReader);
        });
        if (environmentDialog_->LanguageChanged()) ShowMessage(Text(text::kRestartToApply));
    }
    formactivatetimer_.start();
}

void MainWindow::ShowScoreTable() {
    const ScoreTableOutcome outcome = scores_.ShowTable(texts_);
    if (outcome.error) {
        ReportScoreFile(*outcome.error);
    } else if (outcome.view) {
        scoreDialog_->ShowModally(*outcome.view);
    }
}

std::optional<ScoreTableView> MainWindow::WriteResult() {
    const std::optional<QString> name = nameDialog_->AskName();
    if (!name) return std::nullopt;
    const ScoreTableOutcome outcome = scores_.WritePendingResult(name->toStdString(), texts_);
    if (outcome.error) {
        ReportScoreFile(*outcome.error);
        return std::nullopt;
    }
    // Writing ends the match once the dialog is closed.
    engine_->FinishMatchAfterThisGame();
    return outcome.view;
}

void MainWindow::ReportScoreFile(const ScoreFileError& error) {
    ShowMessage(QString::fromStdString(ScoreFileMessage(error, texts_.LanguageBase())));
}

void MainWindow::LoadStartupSettings() {
    GameOptions& options = engine_->Options();
    VoiceLetters voices = VoiceLettersForGender(options.playergender);
    settings_.LoadSettings(QDir::currentPath().toStdString(), options, net_, voices);
    engine_->State().playerVoice = voices.player;
    engine_->State().opponentVoice = voices.opponent;
    phrases_.SetSoundsOn(options.gamesounds);
    menu_.Zvuky1->setChecked(options.gamesounds);
    menu_.katlzankarty1->setChecked(options.saypickedcards);
    ApplySpeechMode(settings_.LoadSpeechMode());
    screenReaderToo_ = settings_.LoadScreenReader();
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
            serviceSpeech_->SetSoundsOn(phrases_.SoundsOn());
            gameSpeech_.SetService(serviceSpeech_.get());
        } else {
            chosen = SpeechMode::Recordings;
            ShowMessage(Text(text::kNoSpeechService));
        }
    }
    gameSpeech_.SetMode(chosen);
    // With the speech off the message line shows what is said.
    label1_->setVisible(!phrases_.SoundsOn() || gameSpeech_.Mode() == SpeechMode::Off);
}

void MainWindow::StartServerIfAsked() {
    if (!net_.runserver) return;
    const QString program = QDir(setup_.programFolder).filePath(QStringLiteral("tarvelsvr"));
    const bool started = QFileInfo(program).isExecutable() && setup_.startProgram && setup_.startProgram(program);
    if (!started) ShowMessage(Text(text::kServerNotStarted).arg(program));
}

void MainWindow::Command(std::function<void()> action, bool redraw) {
    gate_.Run([this, action = std::move(action), redraw] {
        history_.BeginCommand();
        action();
        if (redraw) FormActivate();
    });
}

void MainWindow::SayCommand(std::function<void()> say) {
    Command(std::move(say), true);
}

void MainWindow::FormActivate() {
    const GameState& state = engine_->State();
    if (!state.running || state.playerHand.empty()) return;
    table_->Redraw();
}

void MainWindow::ToggleSounds(bool fromMenu) {
    if (phrases_.SoundsOn()) {
        phrases_.StartPhrase(kNoVoice, "off", kPlainVariant);  // still heard
        phrases_.SetSoundsOn(false);
    } else {
        phrases_.SetSoundsOn(true);
        phrases_.StartPhrase(kNoVoice, "on", kPlainVariant);
    }
    engine_->Options().gamesounds = phrases_.SoundsOn();
    if (serviceSpeech_) serviceSpeech_->SetSoundsOn(phrases_.SoundsOn());
    ApplySoundsState();
    if (fromMenu) FormActivate();
}

void MainWindow::ApplySoundsState() {
    const bool on = phrases_.SoundsOn();
    menu_.Zvuky1->setChecked(on);
    SetSayMenuEnabled(on && engine_->State().matchOn);
    menu_.katlzankarty1->setEnabled(on);
    label1_->setVisible(!on || gameSpeech_.Mode() == SpeechMode::Off);
}

void MainWindow::ToggleSayDrawnCards(bool fromMenu) {
    GameOptions& options = engine_->Options();
    options.saypickedcards = !options.saypickedcards;
    menu_.katlzankarty1->setChecked(options.saypickedcards);
    phrases_.StartPhrase(kNoVoice, options.saypickedcards ? "on" : "off", kPlainVariant);
    if (fromMenu) FormActivate();
}

void MainWindow::SetSayMenuEnabled(bool enabled) {
    sayMenuOn_ = enabled;
    menu_.ekni1->menuAction()->setEnabled(enabled);
    // A disabled submenu silences its shortcuts too; the point items also keep their own
    // enabling, set at the start of a match.
    for (QAction* item : menu_.SayItems()) {
        const auto own = ownEnabling_.find(item);
        item->setEnabled(enabled && (own == ownEnabling_.end() || own->second));
    }
}

void MainWindow::SetSayItemEnabled(QAction* item, bool enabled) {
    ownEnabling_[item] = enabled;
    SetSayMenuEnabled(sayMenuOn_);
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
    const QString summary = QString::fromStdString(DescribeTable(engine_->State(), texts_));
    if (summary == table_->accessibleDescription()) return;
    table_->setAccessibleDescription(summary);
    // Qt tells a screen reader of both changes itself, which has it read the name afresh
    // the next time the table is focused; what changed is told by the announcement area.
    table_->setAccessibleName(Text(text::kTableName) + QStringLiteral(". ") + summary);
}

void MainWindow::Happened(const GameEvent& event) {
    table_->Show(event);
    switch (event.kind) {
        case GameEventKind::GameBegins:
            networkMatch_ = engine_->Net().active;
            label1_->setVisible(!phrases_.SoundsOn());
            UpdateMenus();
            break;
        case GameEventKind::Dealt:
            UpdateMenus();
            break;
        case GameEventKind::Announced:
            SetLabel(MessageLineText(event.line, event.count, texts_));
            break;
        case GameEventKind::GameDecided:
            SetLabel(MessageLineText(event.seat == kPlayerSeat ? MessageLine::YouWin : MessageLine::IWin, 0, texts_));
            break;
        case GameEventKind::ScoreStep:
            ScoreTableStep();
            break;
        case GameEventKind::GameUnderWay:
            formactivatetimer_.start();
            break;
        case GameEventKind::MatchEnded:
            if (networkMatch_) menu_.Polizprvusoupei1->setEnabled(false);
            networkMatch_ = false;
            UpdateMenus();
            SetLabel("");
            label1_->setVisible(false);
            break;
        default:
            break;
    }
    UpdateStatusPanels();
}

void MainWindow::UpdateMenus() {
    const GameState& state = engine_->State();
    const GameOptions& options = engine_->Options();
    menu_.Ukonenhry1->setEnabled(state.matchOn);
    menu_.Nastavenhry1->setEnabled(!state.matchOn);
    // A network match keeps its connection and its settings until it ends.
    menu_.Novsovhra1->setEnabled(!networkMatch_);
    menu_.Sovnastaven1->setEnabled(!networkMatch_);
    ownEnabling_[menu_.tvojebody1] = options.playforpoints;
    ownEnabling_[menu_.Mojebody1] = options.playforpoints;
    ownEnabling_[menu_.Tvojebodydotabulky1] = options.playforpoints && options.usetable;
    SetSayMenuEnabled(state.matchOn && phrases_.SoundsOn());
}

void MainWindow::UpdateStatusPanels() {
    const GameState& state = engine_->State();
    const bool points = engine_->Options().playforpoints;
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

void MainWindow::SetLabel(std::string_view text) {
    label1_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MainWindow::ScoreTableStep() {
    const ScoreTableOutcome outcome = scores_.ScoreTableStep(engine_->Options().usetable, engine_->Standing(),
                                                             CurrentMoment(), phrases_, texts_);
    if (outcome.error) {
        ReportScoreFile(*outcome.error);
    } else if (outcome.view) {
        scoreDialog_->ShowModally(*outcome.view);
    }
    table_->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The opponent is told at once instead of waiting for the connection to time out.
    network_->BreakOffForClosing();
    event->accept();
}

}  // namespace tarvel
