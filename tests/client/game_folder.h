// A game folder of its own for each window test: the card pictures drawn into karty/,
// the current folder moved there (the game reads everything relative to it), and a
// sound log that shows what the player would hear.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "tools/card_pictures/card_pictures.h"
#include "client/app/client_setup.h"
#include "client/speech/logging_audio_backend.h"

namespace tarvel::testing {

class GameFolder {
  public:
    GameFolder() : previous_(QDir::currentPath()) {
        QDir().mkpath(dir_.filePath("karty"));
        QString error;
        const auto font = pictures::LoadMarkFont(pictures::kMarkFontFile, error);
        if (font) pictures::WritePictures(pictures::CardPainter(*font).AllPictures(), dir_.filePath("karty"), error);
        QDir::setCurrent(dir_.path());
    }
    ~GameFolder() { QDir::setCurrent(previous_); }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    std::string LogPath() const { return Path("sound.log").toStdString(); }

    void WriteSettings(const std::string& text) const {
        std::ofstream(Path("tarvel.ini").toStdString(), std::ios::binary) << text;
    }

    // The setup of a window that logs its sounds here and deals from `seed`.
    ClientSetup Setup(std::uint64_t seed, std::vector<QString>& messages) const {
        ClientSetup setup;
        std::string error;
        setup.audio = LoggingAudioBackend::Open(LogPath(), error);
        setup.settingsFile = Path("tarvel.ini").toStdString();
        setup.programFolder = dir_.path();
        setup.seed = seed;
        setup.showMessage = [&messages](const QString& text) { messages.push_back(text); };
        setup.openFile = [](const QString&) { return true; };
        setup.startProgram = [](const QString&) { return true; };
        return setup;
    }

  private:
    QString previous_;
    QTemporaryDir dir_;
};

// The lines of the sound log written since the last call: "<file>\t<wait|start>\t<found|missing>".
class SoundLog {
  public:
    explicit SoundLog(std::string path) : path_(std::move(path)) {}

    std::vector<std::string> Fresh() {
        std::vector<std::string> lines;
        std::ifstream log(path_);
        std::string line;
        std::size_t index = 0;
        while (std::getline(log, line)) {
            if (index++ >= seen_) lines.push_back(line.substr(0, line.rfind('\t')));
        }
        seen_ = index;
        return lines;
    }

    // Every line from the start.
    std::vector<std::string> All() const {
        std::vector<std::string> lines;
        std::ifstream log(path_);
        std::string line;
        while (std::getline(log, line)) lines.push_back(line.substr(0, line.rfind('\t')));
        return lines;
    }

  private:
    std::string path_;
    std::size_t seen_ = 0;
};

inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "client_window_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace tarvel::testing
