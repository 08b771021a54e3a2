#include "server/table_lines.h"

#include "server/core/shown_text.h"
#include "server/server_strings.h"

namespace tarvel::server {
namespace {

int StepText(SetupStep step, std::size_t players) {
    switch (step) {
        case SetupStep::AwaitingSettings0:
        case SetupStep::AwaitingSettings1:
            return kTextTableSettings;
        case SetupStep::AwaitingReady:
            return kTextTableReady;
        case SetupStep::Playing:
            return kTextTablePlaying;
        case SetupStep::Idle:
            break;
    }
    return players < 2 ? kTextTableWaiting : kTextTableFree;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A client's own text as the list shows it: short, and nothing a screen reader would
// stumble over or a terminal would obey.
QString Shown(const std::string& text) {
    return Utf8(EscapeControls(Shortened(text, kShownNameChars)));
}

}  // namespace

std::optional<QString> TableLine(const TableHall& hall, int index, int language) {
    const GameServer* game = index < hall.TableCount() ? hall.TableGame(index) : nullptr;
    if (game == nullptr) return std::nullopt;
    const auto players = game->Players();
    if (players.empty()) return std::nullopt;
    QString line = ServerText(language, kTextTable).arg(index + 1);
    const std::string name = hall.TableName(index);
    if (!name.empty()) line += QStringLiteral(" „") + Shown(name) + QStringLiteral("“");
    line += QStringLiteral(": ") + ServerText(language, StepText(game->Step(), players.size()));
    for (std::size_t number = 0; number < players.size(); ++number) {
        const auto& seat = players[number];
        // The name once its settings have come, with the address it plays from.
        const QString who = seat.userName.empty() ? Utf8(seat.address)
                                                  : Shown(seat.userName) + QStringLiteral(" (") +
                                                        Utf8(seat.address) + QStringLiteral(")");
        line += QStringLiteral(", ") + ServerText(language, kTextPlayer).arg(number).arg(who);
    }
    return line;
}

QString NoTablesLine(int language) {
    return ServerText(language, kTextNoTables);
}

QStringList TableLines(const TableHall& hall, int language) {
    QStringList lines;
    for (int index = 0; index < hall.TableCount(); ++index) {
        if (auto line = TableLine(hall, index, language)) lines << *line;
    }
    if (lines.isEmpty()) lines << NoTablesLine(language);
    return lines;
}

}  // namespace tarvel::server
