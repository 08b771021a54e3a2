// Everything the engine does to the player's senses: the phrases it says and what it
// tells of the table. The client implements the two parts apart; a test's recorder
// implements them together, to see every call in order.
#pragma once

#include "engine/game_event.h"
#include "engine/speech_port.h"

namespace tarvel {

class PresentationPort : public SpeechPort, public EventPort {};

}  // namespace tarvel
