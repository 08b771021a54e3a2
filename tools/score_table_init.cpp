// Gives a game folder its table of best results: writes the starting table (ten
// empty places with score 0) to the named file when there is none. A table that is
// there, a player's results or not, is never touched.
//   tarvel_scores_init game/tarvel.tab
#include <iostream>

#include "session/scores/score_file.h"
#include "session/scores/score_file_message.h"
#include "common/string_table.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarvel_scores_init FILE\n";
        return 2;
    }
    if (const auto failed = tarvel::CreateScoreTableIfMissing(argv[1])) {
        std::cerr << tarvel::ScoreFileMessage(*failed, tarvel::kEnglishLanguageBase) << '\n';
        return 1;
    }
    return 0;
}
