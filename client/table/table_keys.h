// The keys of the table, as the engine's commands they stand for. The function keys
// are menu shortcuts and reach the Say commands through the menu instead.
#pragma once

#include "engine/engine.h"
#include "client/table/say_commands.h"

namespace tarvel {

enum class TableKey {
    Up,     // the pile card
    Down,   // the opponent's count of cards
    Left,   // the previous card or suit
    Right,  // the next card or suit
    First,  // Home, Shift+Left
    Last,   // End, Shift+Right
    Space,  // draw, stand or give up
    Enter,  // play the selected card, or take the selected suit
};

// Nothing happens while no match runs.
void PressTableKey(TableKey key, Engine& engine, SayCommands& say);

}  // namespace tarvel
