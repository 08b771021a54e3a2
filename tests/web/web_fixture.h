// A tarvelweb on a loopback port over a scratch game folder, with a game that answers each
// command, and the two kinds of peer a test plays: a tab's WebSocket and a raw HTTP client.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "web/messages/server_event.h"
#include "web/server/tab_hub.h"
#include "web/server/web_listener.h"

namespace tarvel::web::testing {

// Says the name of every command it hears back, and shows how many it heard.
class EchoGame : public TabGame {
  public:
    explicit EchoGame(std::function<void(const QByteArray&)> send) : send_(std::move(send)) {}
    void Handle(const PageRequest& request) override {
        if (const auto* command = std::get_if<CommandRequest>(&request)) {
            ++heard_;
            send_(FormatSentence({{"okraj", std::string(Name(command->command))}}, std::string(Name(command->command)),
                                 "cs"));
        }
    }
    std::vector<QByteArray> Snapshot() const override {
        TableView table;
        table.stock = heard_;
        return {FormatTable(table)};
    }

  private:
    std::function<void(const QByteArray&)> send_;
    int heard_ = 0;
};

// A browser tab's connection.
struct Tab {
    QWebSocket socket;
    std::vector<QString> received;
    bool closed = false;
    int closeCode = 0;
    QString closeReason;

    explicit Tab(const QString& origin) : socket(origin) {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) { received.push_back(text); });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] {
            closed = true;
            closeCode = socket.closeCode();
            closeReason = socket.closeReason();
        });
    }
    // Qt 6.4's QWebSocket leaks its close reason when destroyed while connected.
    ~Tab() { socket.abort(); }
    Tab(const Tab&) = delete;
    Tab& operator=(const Tab&) = delete;

    // `forwardedFor`: the X-Forwarded-For a reverse proxy would add.
    bool Open(quint16 port, const QByteArray& forwardedFor = {}) {
        QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        if (!forwardedFor.isEmpty()) request.setRawHeader("X-Forwarded-For", forwardedFor);
        socket.open(request);
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState || closed; }, 5000) &&
               socket.state() == QAbstractSocket::ConnectedState;
    }
    void Send(const QString& text) { socket.sendTextMessage(text); }
    bool WaitFor(std::size_t count) {
        return QTest::qWaitFor([&] { return received.size() >= count || closed; }, 5000) && received.size() >= count;
    }
    bool WaitClosed() { return QTest::qWaitFor([this] { return closed; }, 5000); }
};

class WebFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Sockets and timers need an application; one for the whole program.
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "web_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }
    void SetUp() override { Start(HubLimits{}); }

    // `factory`: the tabs' game; an EchoGame when none is given.
    void Start(HubLimits limits, TabGameFactory factory = {}) {
        listener_.reset();
        hub_.reset();
        QDir folder(dir_.path());
        for (const char* sub : {"web", "zvuky", "karty"}) folder.mkpath(QString::fromLatin1(sub));
        Write("web/index.html", "<!doctype html><title>Tarvel</title>");
        Write("zvuky/m7 srdcova1.opus", "OggS");
        Write("karty/card1.bmp", "BM");
        Write("secret.txt", "not to be served");
        if (!factory) {
            factory = [](const std::string&, std::function<void(const QByteArray&)> send) {
                return std::make_unique<EchoGame>(std::move(send));
            };
        }
        hub_ = std::make_unique<TabHub>(std::move(factory), limits);
        listener_ = std::make_unique<WebListener>(StaticFiles(folder), OriginPolicy(0, "https://cards.example.org"), *hub_);
        ASSERT_TRUE(listener_->Listen(QHostAddress::LocalHost, 0));
        port_ = listener_->Port();
        // The page's own origin, as the browser sends it.
        origin_ = QStringLiteral("http://127.0.0.1:0");
    }

    void Write(const char* name, const QByteArray& bytes) {
        QFile file(QDir(dir_.path()).filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A tab of the page that has said hello and been welcomed.
    std::unique_ptr<Tab> Greeted(const QString& resume = {}) {
        auto tab = std::make_unique<Tab>(origin_);
        if (!tab->Open(port_)) return nullptr;
        tab->Send(resume.isEmpty() ? QStringLiteral(R"({"type":"hello","language":"cs"})")
                                   : QStringLiteral(R"({"type":"hello","language":"cs","resume":"%1"})").arg(resume));
        if (!tab->WaitFor(1)) return nullptr;
        return tab;
    }

    // The whole answer to one raw request.
    QByteArray Fetch(const QByteArray& request) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port_);
        if (!socket.waitForConnected(5000)) return {};
        socket.write(request);
        QByteArray answer;
        const bool ended = QTest::qWaitFor([&] {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        }, 5000);
        return ended ? answer + socket.readAll() : QByteArray("no answer");
    }

    QTemporaryDir dir_;
    std::unique_ptr<TabHub> hub_;
    std::unique_ptr<WebListener> listener_;
    quint16 port_ = 0;
    QString origin_;
};

}  // namespace tarvel::web::testing
