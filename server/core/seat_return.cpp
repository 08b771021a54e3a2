#include "server/core/seat_return.h"

#include <utility>

namespace tarvel::server {

void SeatReturn::Issue(std::string secret) {
    Close();
    secret_ = std::move(secret);
}

}  // namespace tarvel::server
