// tarvelweb's port: reads each connection's request head, serves the page's files, and
// hands a WebSocket upgrade from an allowed origin to the tabs' sessions. One request per
// connection; a head that is too long, too slow or not understood is answered and closed.
#pragma once

#include <QTcpServer>

#include "web/server/http_request.h"
#include "web/server/origin_policy.h"
#include "web/server/static_files.h"
#include "web/server/tab_hub.h"

namespace tarvel::web {

class WebListener : public QObject {
    Q_OBJECT

  public:
    WebListener(StaticFiles files, OriginPolicy origins, TabHub& hub, QObject* parent = nullptr);

    bool Listen(const QHostAddress& address, quint16 port);
    quint16 Port() const { return server_.serverPort(); }
    // For a listener given port 0, whose pages' origin is known only once it listens.
    void SetOrigins(OriginPolicy origins) { origins_ = std::move(origins); }
    // A reverse proxy on this machine names each player's address (see player_address.h).
    void SetBehindProxy(bool behindProxy) { behindProxy_ = behindProxy; }
    QString ErrorString() const { return server_.errorString(); }

    // How long a connection may take to send its request head.
    static constexpr int kHeadWaitMs = 10'000;

  private:
    void Accept();
    void ReadHead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, int status, const QByteArray& reason);
    void Serve(QTcpSocket* socket, const RequestHead& head);

    StaticFiles files_;
    OriginPolicy origins_;
    TabHub& hub_;
    bool behindProxy_ = false;
    QTcpServer server_;
};

}  // namespace tarvel::web
