// The table as the page shows it, taken from the session's state: each card and suit
// with its picture and the name the game gives it.
#pragma once

#include "engine/game_state.h"
#include "web/messages/server_event.h"

namespace tarvel::web {

TableView ViewOfTable(const GameState& state);

}  // namespace tarvel::web
