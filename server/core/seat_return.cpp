#include "server/core/seat_return.h"

#include <utility>

#include "server/core/seat_secret.h"

namespace tarvel::server {

void SeatReturn::Issue(std::string secret) {
    Close();
    secret_ = std::move(secret);
}

void SeatReturn::Renew(std::string secret) {
    fresh_ = std::move(secret);
    freshFrom_ = sent_.Count();
}

SeatReturn::Shown SeatReturn::Matches(std::string_view secret) const {
    if (!secret_.empty() && SecretsEqual(secret_, secret)) return Shown::Held;
    if (!fresh_.empty() && SecretsEqual(fresh_, secret)) return Shown::Fresh;
    return Shown::None;
}

void SeatReturn::Confirm() {
    if (!fresh_.empty()) {
        secret_ = std::exchange(fresh_, {});
        firstCounted_ = freshFrom_;
    }
    counting_ = true;
    received_ = 0;
}

void SeatReturn::CameBackWith(Shown shown) {
    if (shown == Shown::Fresh) {
        Confirm();
    } else if (!counting_) {
        counting_ = true;
        received_ = 0;
    }
}

}  // namespace tarvel::server
