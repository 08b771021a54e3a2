#include "web/server/web_listener.h"

#include "web/server/player_address.h"

#include <QFile>
#include <QTcpSocket>
#include <QTimer>

#include "web/server/http_request.h"

namespace tarvel::web {
namespace {

QByteArray StatusLine(int status) {
    switch (status) {
        case 200:
            return "200 OK";
        case 400:
            return "400 Bad Request";
        case 403:
            return "403 Forbidden";
        case 404:
            return "404 Not Found";
        case 405:
            return "405 Method Not Allowed";
        case 408:
            return "408 Request Timeout";
        case 429:
            return "429 Too Many Requests";
        case 431:
            return "431 Request Header Fields Too Large";
        default:
            return "500 Internal Server Error";
    }
}

// The page loads nothing from elsewhere and talks only to this server.
constexpr char kSecurityHeaders[] =
    "Content-Security-Policy: default-src 'self'; img-src 'self' blob: data:; media-src 'self' blob:; "
    "connect-src 'self'; object-src 'none'; base-uri 'none'; frame-ancestors 'none'\r\n"
    "X-Content-Type-Options: nosniff\r\n"
    "Referrer-Policy: no-referrer\r\n";

}  // namespace

WebListener::WebListener(StaticFiles files, OriginPolicy origins, TabHub& hub, QObject* parent)
    : QObject(parent), files_(std::move(files)), origins_(std::move(origins)), hub_(hub) {
    connect(&server_, &QTcpServer::newConnection, this, &WebListener::Accept);
}

bool WebListener::Listen(const QHostAddress& address, quint16 port) {
    return server_.listen(address, port);
}

void WebListener::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadHead(socket); });
        auto* wait = new QTimer(socket);
        wait->setSingleShot(true);
        wait->setObjectName(QStringLiteral("headwait"));
        connect(wait, &QTimer::timeout, this, [this, socket] { Answer(socket, 408, "the request took too long"); });
        wait->start(kHeadWaitMs);
    }
}

void WebListener::ReadHead(QTcpSocket* socket) {
    // Peeked, not read: an upgrade goes on to the WebSocket server with its head unread.
    const QByteArray bytes = socket->peek(kRequestHeadLimit + 1);
    const qsizetype length = HeadLength(bytes);
    if (length == 0) {
        if (bytes.size() > kRequestHeadLimit) Answer(socket, 431, "the request head is too long");
        return;
    }
    socket->disconnect(this);
    delete socket->findChild<QTimer*>(QStringLiteral("headwait"));
    const ParsedHead parsed = ParseRequestHead(bytes.left(length));
    if (!parsed.head) {
        Answer(socket, parsed.status, QByteArray::fromStdString(parsed.reason));
        return;
    }
    Serve(socket, *parsed.head);
}

void WebListener::Serve(QTcpSocket* socket, const RequestHead& head) {
    if (head.method != "GET" && head.method != "HEAD") {
        Answer(socket, 405, "only GET is served");
        return;
    }
    if (head.path == "/ws") {
        const QHostAddress player = PlayerAddress(socket->peerAddress(), head.Header("x-forwarded-for"), behindProxy_);
        if (!head.WantsWebSocket()) {
            Answer(socket, 400, "this address is for the game's WebSocket");
        } else if (!origins_.Allows(head.Header("origin"))) {
            Answer(socket, 403, "pages of this origin may not play here");
        } else if (!hub_.AcceptsMoreFrom(player)) {
            Answer(socket, 429, "too many games from this address");
        } else {
            // From here the WebSocket owns the socket and its end.
            QObject::disconnect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            hub_.TakeConnection(socket, player);
        }
        return;
    }
    const std::optional<ServedFile> served = files_.Find(head.path);
    QFile file(served ? served->path : QString{});
    if (!served || !file.open(QIODevice::ReadOnly)) {
        Answer(socket, 404, "no such file");
        return;
    }
    socket->read(socket->bytesAvailable());
    const QByteArray body = file.readAll();
    QByteArray response = "HTTP/1.1 200 OK\r\nContent-Type: " + served->contentType +
                          "\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nCache-Control: " + served->cacheControl + "\r\n" + kSecurityHeaders +
                          "Connection: close\r\n\r\n";
    if (head.method == "GET") response += body;
    socket->write(response);
    socket->disconnectFromHost();
}

void WebListener::Answer(QTcpSocket* socket, int status, const QByteArray& reason) {
    socket->disconnect(this);
    socket->read(socket->bytesAvailable());
    const QByteArray body = reason + "\n";
    socket->write("HTTP/1.1 " + StatusLine(status) + "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n" + kSecurityHeaders + "Connection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

}  // namespace tarvel::web
