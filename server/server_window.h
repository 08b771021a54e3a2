// The server's window: the log list, the activation and settings buttons, and the
// menu with the language dialog, help, About and quit. Every log line also goes to
// standard output, so the server can run on a host without a desktop; the list keeps
// the most recent lines. A second list shows the tables: who sits at each and what
// it is doing, refreshed twice a second while something changes.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/random_source.h"
#include "server/client_listener.h"
#include "server/core/server_links.h"
#include "server/server_settings.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace tarvel::server {

class AboutBox;
class LanguageDialog;
class SettingsDialog;

class ServerWindow final : public QMainWindow, public EventLog {
    Q_OBJECT

  public:
    // The settings file named on the command line (--settings).
    struct SettingsFile {
        QString path;
    };

    // `folder` holds tarvelsvr.ini: the program's own folder.
    ServerWindow(const QString& folder, RandomSource& random, QWidget* parent = nullptr);
    ServerWindow(const SettingsFile& settings, RandomSource& random, QWidget* parent = nullptr);
    ~ServerWindow() override;

    void Log(std::string_view line) override;

    const ClientListener& Listener() const { return listener_; }
    int Language() const { return language_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void ToggleListening();
    void EditSettings();
    void ChooseLanguage();
    void OpenInstructions();
    void ShowAbout();
    void Quit();

    void BuildWidgets();
    void StartListening();
    void StopListening();
    void ShowListeningState();
    void ShowPendingLogLines();
    // Writes what was logged since to standard output and hands it to the list.
    void WriteLogOut();
    void ShowTables();
    QString Text(int index) const;
    // Runs a write of the settings file; a file that cannot be written is reported.
    bool SaveSettings(const std::function<void()>& write);

    QString iniPath_;
    ServerSettings settings_;
    int language_;
    ClientListener listener_;

    // Logged, not yet on standard output or in the list: the first unwrittenCount_ of
    // unwrittenLines_ (the others are room kept for the next lines).
    std::vector<std::string> unwrittenLines_;
    std::size_t unwrittenCount_ = 0;
    // Written out, not yet in the list: escaped lines, each closed by a newline.
    std::string pendingText_;
    std::size_t pendingLines_ = 0;  // in pendingText_
    qsizetype shownCharacters_ = 0;  // in the log list
    QTimer logFlushTimer_;
    QTimer tablesTimer_;
    // The hall's changes last shown; this value: none yet, every table's line is drawn.
    static constexpr std::uint64_t kAllTablesToShow = ~std::uint64_t{0};
    std::uint64_t tablesShown_ = kAllTablesToShow;
    std::vector<int> shownTables_;  // the index of the table on each line, ascending
    QListWidget* logList_ = nullptr;
    QLabel* tablesLabel_ = nullptr;
    QListWidget* tablesList_ = nullptr;
    QPushButton* listenButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QMenu* serverMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* languageAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* instructionsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    SettingsDialog* settingsDialog_ = nullptr;
    LanguageDialog* languageDialog_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
};

}  // namespace tarvel::server
