// Where the client reads its recordings, pictures and help, and where it keeps what the
// player writes (tarvel.ini, tarvel.tab, svrlist.txt).
//
// A game folder holds both: the client is started in it and every file is taken by its
// bare name from the current folder. An installed game has its data in a folder nobody
// writes to and keeps the player's files in the player's own data folder (XDG), made
// on the first start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

struct GameFolders {
    // The recordings zvuky/, the pictures karty/ and the help text; empty: the current folder.
    std::filesystem::path data;
    // The player's files; empty: the current folder (a game folder).
    std::filesystem::path player;

    bool Installed() const { return !player.empty(); }
};

// The game plays from a game folder (the current folder, as always) when the program was
// not built for a system install (`installedData` empty) or when the recordings zvuky/
// lie beside the program, which is how a game folder is laid out. Otherwise it is the
// installed game: the data in `installedData`, the player's files in
// $XDG_DATA_HOME/tarvel, or $HOME/.local/share/tarvel where XDG_DATA_HOME is unset, empty
// or not an absolute path. Nothing when neither gives an absolute folder, with the
// reason in `error`.
std::optional<GameFolders> ChooseGameFolders(const std::filesystem::path& programFolder,
                                             const std::filesystem::path& installedData,
                                             std::string_view xdgDataHome, std::string_view home,
                                             std::string& error);

// Makes the player's folder with what the set-up gives a game folder: the starting table
// of best results and the example list of servers (the one installed beside the data),
// each only when the player has none; a file that is there is never touched. Returns
// what went wrong, or an empty text.
std::string PreparePlayerFolder(const GameFolders& folders);

}  // namespace tarvel
