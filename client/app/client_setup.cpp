#include "client_setup.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <iostream>

#include "audio_backend_choice.h"
#include "qt_speech_service.h"
#include "settings_file.h"

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

}  // namespace

ClientSetup SetupFromEnvironment() {
    ClientSetup setup;
    setup.audio = MakeAudioBackendFromEnvironment();
    setup.settingsFile = SettingsPathForProgram(QCoreApplication::applicationFilePath().toStdString());
    setup.programFolder = QCoreApplication::applicationDirPath();
    setup.seed = SeedFromEnvironment();
    setup.openFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    setup.startProgram = [](const QString& program) { return QProcess::startDetached(program, {}); };
    setup.makeSpeechService = [] { return std::make_unique<QtSpeechService>(); };
    return setup;
}

}  // namespace tarvel
