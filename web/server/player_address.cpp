#include "web/server/player_address.h"

#include <QString>

namespace tarvel::web {

QHostAddress PlayerAddress(const QHostAddress& peer, const std::string& forwardedFor, bool behindProxy) {
    if (!behindProxy || !peer.isLoopback() || forwardedFor.empty()) return peer;
    const std::size_t comma = forwardedFor.rfind(',');
    const QString last = QString::fromStdString(comma == std::string::npos ? forwardedFor : forwardedFor.substr(comma + 1))
                             .trimmed();
    const QHostAddress player(last);
    return player.isNull() ? peer : player;
}

}  // namespace tarvel::web
