// A presentation that says and shows nothing: for self-play, benchmarks and any
// headless use of the engine.
#pragma once

#include "engine/presentation_port.h"

namespace tarvel {

class NullPresentation : public PresentationPort {
  public:
    void SayPhrase(std::string_view, std::string_view, std::uint8_t) override {}
    void StartPhrase(std::string_view, std::string_view, std::uint8_t) override {}
    void SayNumber(std::string_view, std::int32_t, bool) override {}
    void SayWhoLeads(std::string_view, const MatchStanding&) override {}
    bool SoundsOn() const override { return true; }
    void Happened(const GameEvent&) override {}
};

}  // namespace tarvel
