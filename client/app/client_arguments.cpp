#include "client/app/client_arguments.h"

#include "common/version.h"

namespace tarvel {

ClientArguments ParseClientArguments(const std::vector<std::string>& arguments) {
    ClientArguments parsed;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (!parsed.unknown) {
            parsed.unknown = argument;
        }
    }
    return parsed;
}

std::string ClientUsage() {
    return "Usage: tarvel [--help] [--version]\n"
           "Tarvel " +
           std::string(ProgramVersion()) +
           ", the Czech card game for two, played by ear.\n"
           "\n"
           "  -h, --help  print this help and exit\n"
           "  --version   print the version and the licence and exit\n"
           "\n"
           "In a game folder it plays from the current folder; installed, it reads its\n"
           "recordings from the system and keeps the player's files in\n"
           "$XDG_DATA_HOME/tarvel (~/.local/share/tarvel).\n"
           "TARVEL_AUDIO=log writes the name of every phrase to TARVEL_AUDIO_LOG instead\n"
           "of playing it, TARVEL_AUDIO=off plays nothing; TARVEL_SEED=N deals from a\n"
           "fixed seed. Every key is in the help text tarvel.txt (F1 in the game).\n";
}

}  // namespace tarvel
