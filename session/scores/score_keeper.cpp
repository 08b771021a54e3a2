#include "session/scores/score_keeper.h"

#include "session/scores/score_view.h"
#include "session/scores/table_score_speech.h"

namespace tarvel {

std::string ScoreTableView::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines[i];
    }
    return text;
}

ScoreKeeper::ScoreKeeper(std::filesystem::path file) : file_(std::move(file)) {}

ScoreTableOutcome ScoreKeeper::ShowTable(const Localizer& texts) const {
    ScoreTableRead read = ReadScoreTable(file_);
    if (!read.table) return {std::nullopt, std::move(read.error)};
    return {ScoreTableView{TableLines(*read.table, texts), kCloseOnlyButtons}, std::nullopt};
}

ScoreTableOutcome ScoreKeeper::ScoreTableStep(bool useTable, const MatchStanding& standing, double moment,
                                              SpeechPort& speech, const Localizer& texts) {
    if (!useTable) return {};
    pending_.score = TableScore(standing.playerPenalty, standing.opponentPenalty);
    pending_.moment = moment;
    place_ = 0;

    ScoreTableRead read = ReadScoreTable(file_);
    if (!read.table) return {std::nullopt, std::move(read.error)};
    place_ = FindTablePlace(*read.table, pending_.score);
    if (place_ == 0) return {};

    ScoreTableView view{TableLines(*read.table, texts),
                        EndOfGameButtons(standing.numberOfGames, standing.gameNumber)};
    view.lines.emplace_back();
    view.lines.push_back(QualificationLine(pending_.score, place_, texts));
    PlayTableFanfare(speech, place_);
    return {std::move(view), std::nullopt};
}

ScoreTableOutcome ScoreKeeper::WritePendingResult(std::string_view name, const Localizer& texts) {
    if (place_ == 0) return ShowTable(texts);
    ScoreTableRead read = ReadScoreTable(file_);
    if (!read.table) return {std::nullopt, std::move(read.error)};

    ScoreEntry entry = pending_;
    entry.name = TableNameFromText(name);
    ScoreTable table = *read.table;
    if (StoreScoreEntry(table, FindTablePlace(table, entry.score), entry)) {
        if (auto failed = WriteScoreTable(file_, table)) return {std::nullopt, std::move(failed)};
    }
    pending_ = entry;
    place_ = 0;
    return {ScoreTableView{TableLines(table, texts), kCloseOnlyButtons}, std::nullopt};
}

}  // namespace tarvel
