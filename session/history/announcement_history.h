// Everything the game said in the current match, in order, with who said it: kept so
// that a player can hear again what he missed, step back through the match, or read
// it on a braille display. Phrases are grouped into announcements: what one speaker
// said in answer to one command (the opponent's move with its card, its effect and
// its suit), so that stepping goes one announcement at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvel {

enum class Speaker { Player, Opponent, Effect };

struct SpokenEntry {
    Speaker speaker = Speaker::Effect;
    std::string voice;  // the voice letter it was played with
    std::string text;
    std::uint8_t variant = 1;
    bool waited = true;     // SayPhrase rather than StartPhrase
    bool feedback = false;  // the answer to a key (a card named while moving, the edge, off, on)

    friend bool operator==(const SpokenEntry&, const SpokenEntry&) = default;
};

struct Announcement {
    Speaker speaker = Speaker::Effect;  // the speaker of its words; effects go with them
    std::size_t first = 0;              // index of its first entry
    std::size_t count = 0;
    std::string text;                   // its words, ", " between them

    friend bool operator==(const Announcement&, const Announcement&) = default;
};

class AnnouncementHistory {
  public:
    void Clear();
    // A new command begins: what is said next starts a new announcement.
    void BeginCommand();
    void Add(SpokenEntry entry);

    const std::vector<SpokenEntry>& Entries() const { return entries_; }
    // The announcements, oldest first; the answers to keys are left out.
    std::vector<Announcement> Announcements() const;
    // The opponent's last announcement: its last move and what came with it.
    std::optional<Announcement> LastOfOpponent() const;

    // Stepping through the announcements: back from the newest, forward to it.
    // Nothing beyond either end; a new announcement puts the step back at the end.
    std::optional<Announcement> StepBack();
    std::optional<Announcement> StepForward();

  private:
    std::vector<SpokenEntry> entries_;
    std::vector<std::size_t> commandStarts_;  // entry indices where a command began
    std::optional<std::size_t> cursor_;       // the announcement last stepped to
};

}  // namespace tarvel
