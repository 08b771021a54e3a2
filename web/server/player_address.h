// Whose connection it is. Behind a reverse proxy on this machine every connection comes
// from loopback, so the limits per address would count the whole site as one player: the
// proxy names the player's address in X-Forwarded-For, and that is believed only when the
// settings say a proxy is in front and the connection really comes from loopback.
#pragma once

#include <QHostAddress>
#include <string>

namespace tarvel::web {

// The player's address: the last address of `forwardedFor` (the one the proxy added) when
// `behindProxy` and the peer is loopback, else the peer. A proxied connection without a
// readable address counts as the proxy's own.
QHostAddress PlayerAddress(const QHostAddress& peer, const std::string& forwardedFor, bool behindProxy);

}  // namespace tarvel::web
