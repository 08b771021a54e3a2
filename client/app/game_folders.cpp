#include "client/app/game_folders.h"

#include <fstream>
#include <iterator>

#include "common/file_replace.h"
#include "session/scores/score_file.h"
#include "session/scores/score_file_message.h"
#include "client/net/server_list.h"
#include "common/string_table.h"

namespace tarvel {
namespace fs = std::filesystem;

std::optional<GameFolders> ChooseGameFolders(const fs::path& programFolder, const fs::path& installedData,
                                             std::string_view xdgDataHome, std::string_view home,
                                             std::string& error) {
    std::error_code ignored;
    if (installedData.empty() || fs::is_directory(programFolder / "zvuky", ignored)) return GameFolders{};
    fs::path base(xdgDataHome);
    if (!base.is_absolute()) {
        base = fs::path(home);
        if (!base.is_absolute()) {
            error = "there is no folder for your settings and results: neither XDG_DATA_HOME nor HOME "
                    "names an absolute folder";
            return std::nullopt;
        }
        base = base / ".local" / "share";
    }
    return GameFolders{installedData, base / "tarvel"};
}

std::string PreparePlayerFolder(const GameFolders& folders) {
    if (!folders.Installed()) return {};
    std::error_code failed;
    fs::create_directories(folders.player, failed);
    if (failed || !fs::is_directory(folders.player)) {
        return "cannot make the folder for your settings and results " + folders.player.string() + ": " +
               (failed ? failed.message() : "a file of that name is in the way");
    }
    if (const auto scores = CreateScoreTableIfMissing(folders.player / kScoreFileName)) {
        return ScoreFileMessage(*scores, kEnglishLanguageBase);
    }
    const fs::path list = folders.player / kServerListName;
    const fs::path example = folders.data / kServerListName;
    std::error_code ignored;
    if (fs::exists(list, ignored) || !fs::is_regular_file(example, ignored)) return {};
    std::ifstream in(example, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) return "cannot read the example list of servers " + example.string();
    if (const std::error_code written = ReplaceFileContents(list, bytes)) {
        return "cannot write the list of servers " + list.string() + ": " + written.message();
    }
    return {};
}

}  // namespace tarvel
