// The messages one side of a connection sent since a fixed point, counted from there,
// so that when the connection is lost and made again the other side can say how many
// it got and the rest goes out again in the same order. Both programs keep one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

class ResendLog {
  public:
    // A whole match is a few kilobytes each way; only a chat flood comes near this.
    // Past it the oldest messages go, and whoever missed those cannot get them again.
    static constexpr std::size_t kMostKeptBytes = 1024 * 1024;

    void Record(std::string_view message);
    // Messages recorded since the last Clear.
    std::uint64_t Count() const { return firstKept_ + kept_.size(); }
    // The kept messages from index `from` on.
    std::vector<std::string> Since(std::uint64_t from) const;
    void Clear() { *this = ResendLog(); }

  private:
    std::deque<std::string> kept_;
    std::uint64_t firstKept_ = 0;
    std::size_t keptBytes_ = 0;
};

}  // namespace tarvel
