// A page's message read into its typed form, or the reason it cannot be: the only way
// anything a browser sends reaches the program.
#pragma once

#include <QByteArray>
#include <optional>
#include <string>
#include <variant>

#include "engine/game_options.h"
#include "web/messages/message_set.h"

namespace tarvel::web {

struct HelloRequest {
    std::string language;  // "cs" or "en"
    std::string resume;    // the secret of the session the tab had, or empty
};

struct CommandRequest {
    GameCommand command;
};

struct ScoreNameRequest {
    std::string name;
};

struct SettingsRequest {
    GameOptions options;  // only the game settings the page offers; the rest as they come
};

// The table of best results the browser kept: its bytes, as they were sent to it.
struct KeptScoresRequest {
    std::string table;
};

// A network match at a table (empty: with anyone), as the player typed its name.
struct NetworkMatchRequest {
    std::string table;
};

struct ChatRequest {
    std::string text;
};

using PageRequest = std::variant<HelloRequest, CommandRequest, ScoreNameRequest, SettingsRequest, KeptScoresRequest,
                                 NetworkMatchRequest, ChatRequest>;

struct ParsedRequest {
    std::optional<PageRequest> request;
    std::string error;  // why there is none, in words fit for a close reason
};

// `frame` is the text of one WebSocket frame, as UTF-8.
ParsedRequest ParsePageRequest(const QByteArray& frame);

}  // namespace tarvel::web
