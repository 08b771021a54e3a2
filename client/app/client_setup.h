// What the client window is started with. The program fills it from its environment;
// tests fill it to run the real window without a sound device, a desktop or a clock.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "client/speech/audio_backend.h"
#include "client/voice/speech_service.h"

namespace tarvel {

struct ClientSetup {
    // Where the recordings are played: the sound device, a log or silence.
    std::unique_ptr<AudioBackend> audio;
    // The settings file, named after the program.
    std::filesystem::path settingsFile;
    // The folder of the program, where the server program lies beside it.
    QString programFolder;
    // Where the recordings zvuky/, the pictures karty/ and the help text are: the
    // installed game's data folder; empty in a game folder, which holds them itself.
    QString dataFolder;
    // Deals from this seed instead of the clock (TARVEL_SEED), for tests and bug reports.
    std::optional<std::uint64_t> seed;
    // Shows a message to the player; a message box unless a test listens instead.
    std::function<void(const QString& text)> showMessage;
    // Opens a file with the desktop's viewer; false when it could not be opened.
    std::function<bool(const QString& path)> openFile;
    // Starts the server program; false when it could not be started.
    std::function<bool(const QString& program)> startProgram;
    // Makes the speech service when it is first needed (the chat voice, or the game
    // heard through it); the real one may take seconds to answer, so it is made only then.
    std::function<std::unique_ptr<SpeechService>()> makeSpeechService;
    // How this client introduces itself to the server; the installation's own name when unset.
    std::function<std::string()> userName;
    // Ends the program (two clients of one name); the application quits when unset.
    std::function<void()> endProgram;
};

// The setup of the real program: audio chosen by TARVEL_AUDIO, the seed from
// TARVEL_SEED. In a game folder the settings file is beside the program; the installed
// game (game_folders.h) makes the player's folder, takes it as the current folder for
// the player's files and reads its data from the installed folder. Nothing, with the
// reason in `error`, when the player's folder cannot be made.
std::optional<ClientSetup> SetupFromEnvironment(std::string& error);

}  // namespace tarvel
