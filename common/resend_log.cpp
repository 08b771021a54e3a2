#include "common/resend_log.h"

#include <algorithm>

namespace tarvel {

void ResendLog::Record(std::string_view message) {
    kept_.emplace_back(message);
    keptBytes_ += message.size();
    while (keptBytes_ > kMostKeptBytes && kept_.size() > 1) {
        keptBytes_ -= kept_.front().size();
        kept_.pop_front();
        ++firstKept_;
    }
}

std::vector<std::string> ResendLog::Since(std::uint64_t from) const {
    const std::uint64_t start = std::max(from, firstKept_);
    if (start >= Count()) return {};
    return {kept_.begin() + static_cast<std::ptrdiff_t>(start - firstKept_), kept_.end()};
}

}  // namespace tarvel
