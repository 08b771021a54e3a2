// Everything the engine does to the player's senses: how it is heard, how the table
// is shown and what the window around it does. The client implements the three parts
// apart; a test's recorder implements them together, to see every call in order.
#pragma once

#include "engine/speech_port.h"
#include "engine/table_port.h"
#include "engine/window_port.h"

namespace tarvel {

class PresentationPort : public SpeechPort, public TablePort, public WindowPort {};

}  // namespace tarvel
