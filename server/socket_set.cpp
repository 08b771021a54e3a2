#include "server/socket_set.h"

#include <cstdlib>
#include <cstring>

#include "server/qt_socket_set.h"
#ifdef __linux__
#include "server/epoll_socket_set.h"
#endif

namespace tarvel::server {

std::unique_ptr<SocketSet> MakeSocketSet(SocketSetKind kind, SocketSet::Events& events) {
#ifdef __linux__
    // TARVELSVR_SOCKETS=qt: Qt's sockets here too, to compare the two or to fall back.
    const char* chosen = std::getenv("TARVELSVR_SOCKETS");
    const bool qtChosen = chosen != nullptr && std::strcmp(chosen, "qt") == 0;
    if (kind == SocketSetKind::Best && !qtChosen) return std::make_unique<EpollSocketSet>(events);
#endif
    (void)kind;
    return std::make_unique<QtSocketSet>(events);
}

}  // namespace tarvel::server
