#include "host_identity.h"

#include <QHostAddress>
#include <QHostInfo>

namespace tarvel::server {

HostIdentity LocalHostIdentity() {
    HostIdentity identity;
    identity.name = QHostInfo::localHostName().left(100);
    if (identity.name.isEmpty()) return identity;
    const QHostInfo resolved = QHostInfo::fromName(identity.name);
    for (const QHostAddress& address : resolved.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            identity.address = address.toString();
            break;
        }
    }
    return identity;
}

}  // namespace tarvel::server
