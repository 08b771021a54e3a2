// What the client window is started with. The program fills it from its environment;
// tests fill it to run the real window without a sound device, a desktop or a clock.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "audio_backend.h"
#include "speech_service.h"

namespace tarvel {

struct ClientSetup {
    // Where the recordings are played: the sound device, a log or silence.
    std::unique_ptr<AudioBackend> audio;
    // The settings file, named after the program.
    std::filesystem::path settingsFile;
    // The folder of the program, where the server program lies beside it.
    QString programFolder;
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
// TARVEL_SEED, the settings file beside the program.
ClientSetup SetupFromEnvironment();

}  // namespace tarvel
