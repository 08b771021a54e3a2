#pragma once

namespace tarvel {

// How a phrase is played: waited for to its end, or started in the background.
enum class Playback { Wait, Start };

}  // namespace tarvel
