// The client's connection to the server: opened and read without ever blocking, every
// read cut into whole messages (a message cut by TCP waits for its rest), every
// message written in order behind the ones before it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpSocket>
#include <string>
#include <vector>

#include "protocol/framing.h"

namespace tarvel {

class ServerConnection final : public QObject {
    Q_OBJECT

  public:
    explicit ServerConnection(QObject* parent = nullptr);

    // Starts opening the connection; the answer comes as Connected or Failed.
    void Open(const QString& host, quint16 port);
    // Closes it on this side: what was written still goes out, and no Lost follows.
    void Close();
    bool Connected() const;
    // True from Open until the connection is closed, lost or has failed.
    bool InUse() const { return socket_ != nullptr; }
    // The last failure to open was a refusal: nothing listens at that port now.
    bool LastFailureRefused() const { return lastFailureRefused_; }

    // One message (UTF-8, without its terminator); nothing is sent while not connected.
    void Write(const std::string& message);

  signals:
    void Opened();
    void MessagesArrived(const std::vector<std::string>& messages);
    // The connection could not be opened: the socket layer's reason.
    void Failed(const QString& reason);
    // An open connection ended without Close (the server stopped, the network went).
    void Lost();

  private:
    void ReadAvailable();
    void HandleError(QAbstractSocket::SocketError error);
    void HandleDisconnected();
    // Forgets the socket and hands it over to be closed; its signals no longer reach here.
    QTcpSocket* Release();
    // Closes a released socket at once and deletes it when it is safe to.
    static void Drop(QTcpSocket* socket);

    QPointer<QTcpSocket> socket_;
    protocol::MessageSplitter splitter_;
    bool opened_ = false;
    bool lastFailureRefused_ = false;
};

}  // namespace tarvel
