#include "client/app/client_setup.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QUrl>
#include <iostream>

#include "client/speech/audio_backend_choice.h"
#include "client/speech/folder_audio_backend.h"
#include "client/app/game_folders.h"
#include "client/voice/qt_speech_service.h"
#include "client/settings/settings_file.h"

namespace tarvel {
namespace {

std::optional<std::uint64_t> SeedFromEnvironment() {
    const QByteArray text = qgetenv("TARVEL_SEED");
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const qulonglong seed = text.toULongLong(&ok);
    if (!ok) {
        std::cerr << "tarvel: TARVEL_SEED=" << text.constData()
                  << " is not a whole number; the deal follows the clock\n";
        return std::nullopt;
    }
    return seed;
}

// The data folder of a system install, fixed when the program was built for one.
std::filesystem::path InstalledDataFolder() {
#ifdef TARVEL_INSTALLED_DATA_DIR
    return TARVEL_INSTALLED_DATA_DIR;
#else
    return {};
#endif
}

}  // namespace

std::optional<ClientSetup> SetupFromEnvironment(std::string& error) {
    ClientSetup setup;
    // The sound log is opened first, so a relative TARVEL_AUDIO_LOG means the folder the
    // player started the game in, also when the installed game then changes folder.
    setup.audio = MakeAudioBackendFromEnvironment();
    setup.programFolder = QCoreApplication::applicationDirPath();
    const std::optional<GameFolders> folders =
        ChooseGameFolders(setup.programFolder.toStdString(), InstalledDataFolder(),
                          qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                          qEnvironmentVariable("HOME").toStdString(), error);
    if (!folders) return std::nullopt;
    QStringList serverArguments;
    if (folders->Installed()) {
        error = PreparePlayerFolder(*folders);
        if (!error.empty()) return std::nullopt;
        const QString player = QString::fromStdString(folders->player.string());
        // The player's files are opened by their bare names, as in a game folder.
        if (!QDir::setCurrent(player)) {
            error = "cannot enter the folder for your settings and results " + folders->player.string();
            return std::nullopt;
        }
        setup.settingsFile = folders->player / kStartupSettingsName;
        setup.dataFolder = QString::fromStdString(folders->data.string());
        setup.audio = std::make_unique<FolderAudioBackend>(std::move(setup.audio), folders->data);
        // A server started from here keeps its settings with the player's, not beside
        // the installed program.
        serverArguments = {QStringLiteral("--settings"), QDir(player).filePath(QStringLiteral("tarvelsvr.ini"))};
    } else {
        setup.settingsFile = SettingsPathForProgram(QCoreApplication::applicationFilePath().toStdString());
    }
    setup.seed = SeedFromEnvironment();
    setup.openFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    setup.startProgram = [serverArguments](const QString& program) {
        return QProcess::startDetached(program, serverArguments);
    };
    setup.makeSpeechService = [] { return std::make_unique<QtSpeechService>(); };
    return setup;
}

}  // namespace tarvel
