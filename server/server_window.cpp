#include "server/server_window.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

#include "common/profile_file.h"
#include "server/about_box.h"
#include "server/core/shown_text.h"
#include "server/host_identity.h"
#include "server/language_dialog.h"
#include "server/server_strings.h"
#include "server/settings_dialog.h"
#include "server/table_lines.h"

namespace tarvel::server {
namespace {

constexpr int kLogBatchMs = 100;
constexpr int kTablesRefreshMs = 500;

// The window keeps the recent part of the log, so a server that runs for days, or a
// chat flood, cannot grow it without end; standard output gets every line whole. The
// characters are bounded too: a hundred games' worth of lines fits, a flood of long
// chat lines keeps fewer of them.
constexpr int kMostLogLines = 5000;
constexpr qsizetype kMostLogCharacters = 500'000;
// Longer than any line a game writes (the longest, the list of differing settings, has
// 269 characters) and than any chat line a client lets its player type.
constexpr qsizetype kLongestShownLine = 300;

// Lines logged but not yet listed are kept at most this many, and in at most this many
// bytes: the list keeps fewer anyway, and a flood of lines between two turns of its timer
// piles nothing up.
constexpr std::size_t kMostPendingLines = kMostLogLines;
constexpr std::size_t kMostPendingBytes = 4 * 1024 * 1024;
// The room of this many lines is kept from one turn of the event loop to the next.
constexpr std::size_t kKeptLineRooms = 64;

// Where the last `lines` lines of `text` (each closed by a newline) begin.
std::size_t StartOfLastLines(std::string_view text, std::size_t lines) {
    std::size_t start = text.size();
    for (std::size_t seen = 0; start > 0 && seen < lines; ++seen) {
        if (start < 2) return 0;  // the line before is the empty first one
        const std::size_t newline = text.rfind('\n', start - 2);
        start = newline == std::string_view::npos ? 0 : newline + 1;
    }
    return start;
}

QString ShownLine(std::string_view line) {
    // No more characters than bytes: most lines need no counting.
    if (line.size() <= static_cast<std::size_t>(kLongestShownLine))
        return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    const std::string shown = Shortened(line, static_cast<std::size_t>(kLongestShownLine));
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace

ServerWindow::ServerWindow(const QString& folder, RandomSource& random, QWidget* parent)
    : ServerWindow(SettingsFile{QDir(folder).filePath(QStringLiteral("tarvelsvr.ini"))}, random, parent) {}

ServerWindow::ServerWindow(const SettingsFile& settings, RandomSource& random, QWidget* parent)
    : QMainWindow(parent),
      iniPath_(settings.path),
      settings_(ReadServerSettings(iniPath_)),
      language_(settings_.language),
      listener_(*this, random, settings_.tables) {
    listener_.SetReconnectWait(std::chrono::seconds(settings_.reconnectWait));
    listener_.SetMoveChecking(settings_.checkMoves);
    listener_.SetIdleWait(std::chrono::seconds(settings_.idleWait));
    listener_.SetConnectionLimits(settings_.connectionsPerAddress, settings_.connections);
    listener_.SetTrustedAddresses(settings_.trustedAddresses);
    BuildWidgets();
    connect(&tablesTimer_, &QTimer::timeout, this, &ServerWindow::ShowTables);
    tablesTimer_.start(kTablesRefreshMs);
    ShowTables();
    logFlushTimer_.setSingleShot(true);
    logFlushTimer_.setInterval(kLogBatchMs);
    connect(&logFlushTimer_, &QTimer::timeout, this, &ServerWindow::ShowPendingLogLines);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &ServerWindow::WriteLogOut);
    if (settings_.connectAtStartup) StartListening();
    ShowListeningState();
    ShowPendingLogLines();  // a port that cannot be listened on shows at once

    // The three lines come together, in their order, once the resolver has answered; the
    // window and the listener go on meanwhile.
    LookUpLocalHost(this, [this](const HostIdentity& host) {
        Log(("IP serveru: " + host.address).toStdString());
        Log(("jméno serveru: " + host.name).toStdString());
        Log("Port serveru: " + std::to_string(settings_.port));
        if (settings_.tables > 1) Log("Počet stolů: " + std::to_string(settings_.tables));
        if (!settings_.checkMoves) Log("Tahy hráčů se nekontrolují, přeposílají se všechny");
        ShowPendingLogLines();
    });
    logList_->setFocus();

    settingsDialog_ = new SettingsDialog(language_, this);
    languageDialog_ = new LanguageDialog(language_, this);
    aboutBox_ = new AboutBox(language_, this);
}

ServerWindow::~ServerWindow() {
    WriteLogOut();
}

QString ServerWindow::Text(int index) const {
    return ServerText(language_, index);
}

void ServerWindow::BuildWidgets() {
    setWindowTitle(Text(kTextProduct));
    logList_ = new QListWidget(this);
    logList_->setObjectName("logList");
    // The log only grows; with rows of one height adding a line stays cheap however long it is.
    logList_->setUniformItemSizes(true);
    listenButton_ = new QPushButton(this);
    listenButton_->setObjectName("listenButton");
    settingsButton_ = new QPushButton(Text(kTextSettingsButton), this);
    settingsButton_->setObjectName("settingsButton");
    connect(listenButton_, &QPushButton::clicked, this, &ServerWindow::ToggleListening);
    connect(settingsButton_, &QPushButton::clicked, this, &ServerWindow::EditSettings);

    serverMenu_ = menuBar()->addMenu(Text(kTextServerMenu));
    languageAction_ =
        serverMenu_->addAction(Text(kTextEnvironmentCommand), this, &ServerWindow::ChooseLanguage);
    quitAction_ = serverMenu_->addAction(Text(kTextQuitCommand), this, &ServerWindow::Quit);
    helpMenu_ = menuBar()->addMenu(Text(kTextHelpMenu));
    instructionsAction_ = helpMenu_->addAction(Text(kTextInstructionsCommand), this, &ServerWindow::OpenInstructions);
    aboutAction_ = helpMenu_->addAction(Text(kTextAboutCommand), this, &ServerWindow::ShowAbout);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(listenButton_);
    buttons->addWidget(settingsButton_);
    buttons->addStretch();
    tablesLabel_ = new QLabel(Text(kTextTablesList), this);
    tablesList_ = new QListWidget(this);
    tablesList_->setObjectName("tablesList");
    tablesList_->setUniformItemSizes(true);
    tablesLabel_->setBuddy(tablesList_);
    tablesList_->setAccessibleName(Text(kTextTablesList).remove(QLatin1Char('&')));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(logList_, 3);
    layout->addWidget(tablesLabel_);
    layout->addWidget(tablesList_, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(560, 400);
}

void ServerWindow::Log(std::string_view line) {
    // Only kept here, in room kept from the lines before: a move's lines are made and
    // written once its messages have gone, when the event loop is about to wait
    // (WriteLogOut), in one write instead of one a line.
    if (unwrittenCount_ < unwrittenLines_.size()) {
        unwrittenLines_[unwrittenCount_].assign(line);
    } else {
        unwrittenLines_.emplace_back(line);
    }
    ++unwrittenCount_;
    // A loop that never waits still writes them, from the list's timer.
    if (!logFlushTimer_.isActive()) logFlushTimer_.start();
}

void ServerWindow::WriteLogOut() {
    if (unwrittenCount_ == 0) return;
    // One event per line, and nothing in it a terminal or the journal would obey: whatever
    // a client's text holds shows as "\xHH". Escaped, a line holds no newline of its own.
    const std::size_t from = pendingText_.size();
    for (std::size_t i = 0; i < unwrittenCount_; ++i) {
        AppendEscapingControls(pendingText_, unwrittenLines_[i]);
        pendingText_ += '\n';
    }
    std::fwrite(pendingText_.data() + from, 1, pendingText_.size() - from, stdout);
    std::fflush(stdout);
    pendingLines_ += unwrittenCount_;
    unwrittenCount_ = 0;
    if (unwrittenLines_.size() > kKeptLineRooms) unwrittenLines_.resize(kKeptLineRooms);
    // The list takes new lines from its timer: laying it out and drawing it takes a
    // millisecond or more. What it could not keep anyway makes room now, once there is
    // twice that much, so a flood of lines piles nothing up meanwhile.
    if (pendingLines_ > 2 * kMostPendingLines || pendingText_.size() > 2 * kMostPendingBytes) {
        std::size_t start = StartOfLastLines(pendingText_, kMostPendingLines);
        if (pendingText_.size() - start > kMostPendingBytes) {
            const std::size_t newline = pendingText_.find('\n', pendingText_.size() - kMostPendingBytes - 1);
            start = std::max(start, newline + 1);
        }
        pendingLines_ = static_cast<std::size_t>(
            std::count(pendingText_.begin() + static_cast<std::ptrdiff_t>(start), pendingText_.end(), '\n'));
        pendingText_.erase(0, start);
    }
}

void ServerWindow::ShowPendingLogLines() {
    logFlushTimer_.stop();
    WriteLogOut();
    // Where nobody has shown the window (a service), the newest lines wait in the text
    // above, kept within the list's room, and fill the list once it is shown: making them
    // list items cost a busy server as much as a move's own work.
    if (pendingText_.empty() || !isVisible()) return;
    // The newest lines that the list can keep, shortened as shown, from the last back.
    QStringList lines;
    qsizetype characters = 0;
    std::size_t end = pendingText_.size() - 1;  // the newline closing the line
    while (lines.size() < kMostLogLines) {
        const std::size_t newline = end == 0 ? std::string::npos : pendingText_.rfind('\n', end - 1);
        const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
        QString line = ShownLine(std::string_view(pendingText_).substr(start, end - start));
        if (characters + line.size() > kMostLogCharacters) break;
        characters += line.size();
        lines << std::move(line);
        if (start == 0) break;
        end = newline;
    }
    std::reverse(lines.begin(), lines.end());
    pendingText_.clear();
    if (pendingText_.capacity() > kMostPendingBytes) pendingText_.shrink_to_fit();
    pendingLines_ = 0;
    // The oldest lines make room, in one removal rather than one per line.
    shownCharacters_ += characters;
    const int count = logList_->count() + static_cast<int>(lines.size());
    int oldest = 0;
    while (oldest < logList_->count() &&
           (count - oldest > kMostLogLines || shownCharacters_ > kMostLogCharacters)) {
        shownCharacters_ -= logList_->item(oldest)->text().size();
        ++oldest;
    }
    if (oldest > 0) logList_->model()->removeRows(0, oldest);
    logList_->addItems(lines);
    // Scrolling lays out the whole list: worth it only where someone can see it.
    if (logList_->isVisible()) logList_->scrollToBottom();
}

void ServerWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ShowPendingLogLines();
    logList_->scrollToBottom();
    ShowTables();
}

void ServerWindow::ShowTables() {
    // Where nobody has shown the window (a service), its lines would cost the relays of a
    // busy server tens of microseconds each and be read by nobody: the tables that change
    // meanwhile are drawn once it is shown.
    if (!isVisible()) return;
    const std::uint64_t changes = listener_.Hall().Changes();
    if (changes == tablesShown_) return;
    const bool whole = tablesShown_ == kAllTablesToShow;
    tablesShown_ = changes;
    std::vector<int> changed = listener_.TakeChangedTables();
    if (whole) {
        tablesList_->clear();
        shownTables_.clear();
        changed.resize(static_cast<std::size_t>(listener_.Hall().TableCount()));
        std::iota(changed.begin(), changed.end(), 0);
    } else if (shownTables_.empty() && tablesList_->count() > 0) {
        tablesList_->clear();  // the line saying that no table is taken
    }
    // Only the tables that changed: with thousands, redrawing every line would hold up
    // the relays for tens of milliseconds. Lines change in place, so a screen reader on
    // the list keeps its place.
    for (int index : changed) {
        const std::optional<QString> line = TableLine(listener_.Hall(), index, language_);
        const auto at = std::lower_bound(shownTables_.begin(), shownTables_.end(), index);
        const int row = static_cast<int>(at - shownTables_.begin());
        const bool shown = at != shownTables_.end() && *at == index;
        if (line && shown) {
            if (tablesList_->item(row)->text() != *line) tablesList_->item(row)->setText(*line);
        } else if (line) {
            tablesList_->insertItem(row, *line);
            shownTables_.insert(at, index);
        } else if (shown) {
            delete tablesList_->takeItem(row);
            shownTables_.erase(at);
        }
    }
    if (shownTables_.empty() && tablesList_->count() == 0) tablesList_->addItem(NoTablesLine(language_));
}

void ServerWindow::StartListening() {
    QString error;
    const bool validPort = settings_.port >= 0 && settings_.port <= 65535;
    if (validPort && listener_.StartListening(static_cast<quint16>(settings_.port), &error)) return;
    if (!validPort) error = QStringLiteral("neplatné číslo portu");
    Log(("Nelze naslouchat na portu " + QString::number(settings_.port) + ": " + error).toStdString());
}

void ServerWindow::StopListening() {
    listener_.StopListening();
}

void ServerWindow::ShowListeningState() {
    const bool listening = listener_.IsListening();
    listenButton_->setText(Text(listening ? kTextDeactivate : kTextActivate));
    settingsButton_->setEnabled(!listening);
}

void ServerWindow::ToggleListening() {
    if (listener_.IsListening()) {
        StopListening();
    } else {
        StartListening();
    }
    ShowListeningState();
}

void ServerWindow::EditSettings() {
    settingsDialog_->Load(settings_.port, settings_.connectAtStartup, settings_.tables,
                          settings_.reconnectWait);
    if (settingsDialog_->exec() != QDialog::Accepted) return;
    settings_.port = settingsDialog_->Port().value_or(settings_.port);
    settings_.connectAtStartup = settingsDialog_->ConnectAtStartup();
    settings_.tables = settingsDialog_->Tables().value_or(settings_.tables);
    settings_.reconnectWait = settingsDialog_->ReconnectWait().value_or(settings_.reconnectWait);
    // The button is enabled only while not listening, so no table is taken now.
    listener_.SetTables(settings_.tables);
    listener_.SetReconnectWait(std::chrono::seconds(settings_.reconnectWait));
    tablesShown_ = kAllTablesToShow;
    ShowTables();
    SaveSettings([this] { WriteConnectionSettings(iniPath_, settings_); });
}

void ServerWindow::ChooseLanguage() {
    languageDialog_->SelectCurrent();
    if (languageDialog_->exec() != QDialog::Accepted) return;
    if (!SaveSettings([this] { WriteLanguageSetting(iniPath_, language_); })) return;
    QMessageBox::information(this, Text(kTextProduct), Text(kTextRestartNotice));
}

bool ServerWindow::SaveSettings(const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const ProfileWriteError& error) {
        // The settings in force stay as chosen; only the file could not keep them.
        QMessageBox::warning(this, Text(kTextProduct), QString::fromStdString(error.what()));
        return false;
    }
}

void ServerWindow::OpenInstructions() {
    // The help text in the working folder (the game folder), else the one beside this program.
    QFileInfo help(QStringLiteral("tarvelsvr.txt"));
    if (!help.exists()) help.setFile(QDir(QCoreApplication::applicationDirPath()).filePath("tarvelsvr.txt"));
#ifdef TARVEL_INSTALLED_DATA_DIR
    // An installed server's help lies with the installed game's data.
    if (!help.exists())
        help.setFile(QDir(QStringLiteral(TARVEL_INSTALLED_DATA_DIR)).filePath("tarvelsvr.txt"));
#endif
    QDesktopServices::openUrl(QUrl::fromLocalFile(help.absoluteFilePath()));
}

void ServerWindow::ShowAbout() {
    aboutBox_->exec();
}

void ServerWindow::Quit() {
    close();
}

void ServerWindow::closeEvent(QCloseEvent* event) {
    StopListening();
    event->accept();
}

}  // namespace tarvel::server
