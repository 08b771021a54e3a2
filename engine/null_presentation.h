// A presentation that shows and says nothing: for self-play, benchmarks and any
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
    void ClearTable() override {}
    void RedrawTable() override {}
    void DrawPlayerHand() override {}
    void DrawOpponentHand() override {}
    void DrawPile() override {}
    void DrawStock() override {}
    void DrawPlayerCardAt(std::size_t) override {}
    void DrawOpponentBackAt(std::size_t) override {}
    void BlankPlayerCardAt(std::size_t) override {}
    void BlankOpponentCardAt(std::size_t) override {}
    void DrawSuitChoice() override {}
    void EraseSuitChoice() override {}
    void DrawRequestedSuit() override {}
    void EraseRequestedSuit() override {}
    void PlaceMarker(bool) override {}
    void ShowMarker(bool) override {}
    void MovePointer(int, int) override {}
    void PointAtPile() override {}
    void ResetHover() override {}
    void SetHoverSuit(std::string_view) override {}
    void SetLabel(std::string_view) override {}
    void ShowLabel(bool) override {}
    void SetStatusPanel(StatusPanel, std::string_view) override {}
    void EnableMenuItem(MenuItem, bool) override {}
    void StartActivationTimer() override {}
    void ScoreTableStep() override {}
    std::string LocalizedText(int) override { return {}; }
};

}  // namespace tarvel
