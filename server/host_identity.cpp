#include "server/host_identity.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>

namespace tarvel::server {

void LookUpLocalHost(QObject* context, std::function<void(const HostIdentity&)> done) {
    HostIdentity identity;
    identity.name = QHostInfo::localHostName().left(100);
    if (identity.name.isEmpty()) {
        QTimer::singleShot(0, context, [done = std::move(done), identity] { done(identity); });
        return;
    }
    QHostInfo::lookupHost(identity.name, context,
                          [done = std::move(done), identity](const QHostInfo& resolved) mutable {
                              for (const QHostAddress& address : resolved.addresses()) {
                                  if (address.protocol() == QAbstractSocket::IPv4Protocol) {
                                      identity.address = address.toString();
                                      break;
                                  }
                              }
                              done(identity);
                          });
}

}  // namespace tarvel::server
