// tarvelweb at the WebSocket and HTTP level, as hostile pages and peers meet it: each bad
// input gets its answer and leaves every other tab's game as it was.
#include <QJsonDocument>
#include <QJsonObject>

#include "tests/web/web_fixture.h"
#include "web/server/player_address.h"
#include "web/server/web_settings.h"

namespace tarvel::web::testing {
namespace {

QString Type(const QString& frame) {
    return QJsonDocument::fromJson(frame.toUtf8()).object().value(QStringLiteral("type")).toString();
}

QString Secret(const QString& welcome) {
    return QJsonDocument::fromJson(welcome.toUtf8()).object().value(QStringLiteral("secret")).toString();
}

using WebServer = WebFixture;

TEST_F(WebServer, ServesOnlyThePagesFilesAndRefusesOddRequests) {
    struct Case {
        QByteArray request;
        QByteArray status;
    };
    const Case cases[] = {
        {"GET / HTTP/1.1\r\nHost: x\r\n\r\n", "200 OK"},
        {"GET /zvuky/m7%20srdcova1.opus HTTP/1.1\r\n\r\n", "200 OK"},
        {"GET /karty/card1.bmp?v=2 HTTP/1.1\r\n\r\n", "200 OK"},
        {"GET /secret.txt HTTP/1.1\r\n\r\n", "404"},
        {"GET /zvuky/../secret.txt HTTP/1.1\r\n\r\n", "400"},
        {"GET /zvuky/%2e%2e/secret.txt HTTP/1.1\r\n\r\n", "400"},
        {"GET /zvuky/m7%00.opus HTTP/1.1\r\n\r\n", "400"},
        {"GET /web/index.html HTTP/1.1\r\n\r\n", "404"},
        {"POST / HTTP/1.1\r\n\r\n", "405"},
        {"GET / HTTP/1.1\r\nHost: a\r\nHost: b\r\n\r\n", "400"},
        {"HELLO\r\n\r\n", "400"},
        {"GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a') + "\r\n\r\n", "431"},
        {"GET /ws HTTP/1.1\r\n\r\n", "400"},
    };
    for (const Case& c : cases) {
        const QByteArray answer = Fetch(c.request);
        EXPECT_TRUE(answer.startsWith("HTTP/1.1 " + c.status)) << c.request.left(60).toStdString() << " → "
                                                                 << answer.left(60).toStdString();
    }
    EXPECT_TRUE(Fetch("GET / HTTP/1.1\r\n\r\n").contains("Content-Security-Policy: default-src 'self'"));
}

TEST_F(WebServer, RefusesTheWebSocketToOtherSitesPages) {
    for (const QString& origin : {QStringLiteral("http://evil.example"), QStringLiteral("http://127.0.0.1:0.evil.example"),
                                  QStringLiteral("null")}) {
        Tab tab(origin);
        EXPECT_FALSE(tab.Open(port_)) << origin.toStdString();
    }
    Tab proxied(QStringLiteral("https://cards.example.org"));
    EXPECT_TRUE(proxied.Open(port_));
    // A client that sends no Origin is no browser's page.
    const QByteArray answer = Fetch(
        "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 403")) << answer.left(40).toStdString();
}

// Each frame closes its own tab with the reason the page shows; the other tab plays on.
TEST_F(WebServer, ClosesATabThatBreaksTheRulesAndNoOther) {
    struct Case {
        QString frame;
        bool binary;
        int code;
        const char* reason;
    };
    const Case cases[] = {
        {QStringLiteral("not json"), false, 1008, "malformed message: the message is not JSON"},
        {QStringLiteral(R"({"type":"command","name":"cheat"})"), false, 1008, "no game command"},
        {QStringLiteral(R"({"type":"hello","language":"cs"})"), false, 1008, "hello came twice"},
        {QStringLiteral("x").repeated(5000), false, 1009, ""},
        {QStringLiteral("binary"), true, 1003, "messages are text"},
    };
    auto bystander = Greeted();
    ASSERT_TRUE(bystander);
    for (const Case& c : cases) {
        auto tab = Greeted();
        ASSERT_TRUE(tab);
        if (c.binary) {
            tab->socket.sendBinaryMessage(c.frame.toUtf8());
        } else {
            tab->Send(c.frame);
        }
        ASSERT_TRUE(tab->WaitClosed()) << c.frame.left(40).toStdString();
        EXPECT_EQ(tab->closeCode, c.code) << c.frame.left(40).toStdString();
        EXPECT_TRUE(tab->closeReason.contains(QString::fromUtf8(c.reason))) << tab->closeReason.toStdString();
    }
    const std::size_t before = bystander->received.size();
    bystander->Send(QStringLiteral(R"({"type":"command","name":"play"})"));
    ASSERT_TRUE(bystander->WaitFor(before + 1));
    EXPECT_EQ(Type(bystander->received.back()), QStringLiteral("sentence"));
    EXPECT_FALSE(bystander->closed);
}

TEST_F(WebServer, WantsHelloFirstAndSoon) {
    HubLimits limits;
    limits.helloWaitMs = 300;
    Start(limits);
    Tab early(origin_);
    ASSERT_TRUE(early.Open(port_));
    early.Send(QStringLiteral(R"({"type":"command","name":"play"})"));
    ASSERT_TRUE(early.WaitClosed());
    EXPECT_TRUE(early.closeReason.contains(QStringLiteral("first message must be hello")));

    Tab silent(origin_);
    ASSERT_TRUE(silent.Open(port_));
    ASSERT_TRUE(silent.WaitClosed());
    EXPECT_TRUE(silent.closeReason.contains(QStringLiteral("no hello")));
    EXPECT_EQ(hub_->SessionCount(), 0u);
}

TEST_F(WebServer, AFloodOfCommandsClosesOnlyTheFloodingTab) {
    HubLimits limits;
    limits.commandBurst = 10;
    limits.commandsPerSecond = 5;
    Start(limits);
    auto flooder = Greeted();
    auto other = Greeted();
    ASSERT_TRUE(flooder && other);
    for (int i = 0; i < 200; ++i) flooder->Send(QStringLiteral(R"({"type":"command","name":"right"})"));
    ASSERT_TRUE(flooder->WaitClosed());
    EXPECT_TRUE(flooder->closeReason.contains(QStringLiteral("too many")));
    // The game heard no more than the burst allowed.
    EXPECT_LE(flooder->received.size(), 1u + 10u);
    other->Send(QStringLiteral(R"({"type":"command","name":"left"})"));
    EXPECT_TRUE(other->WaitFor(2));
}

TEST_F(WebServer, AReloadComesBackToTheSameGameWithinTheWait) {
    HubLimits limits;
    limits.resumeWaitMs = 400;
    Start(limits);
    auto tab = Greeted();
    ASSERT_TRUE(tab);
    const QString secret = Secret(tab->received.front());
    tab->Send(QStringLiteral(R"({"type":"command","name":"draw"})"));
    ASSERT_TRUE(tab->WaitFor(2));
    tab->socket.close();
    ASSERT_TRUE(tab->WaitClosed());

    auto back = Greeted(secret);
    ASSERT_TRUE(back && back->WaitFor(2));
    const QJsonObject welcome = QJsonDocument::fromJson(back->received[0].toUtf8()).object();
    EXPECT_TRUE(welcome.value(QStringLiteral("resumed")).toBool());
    // The snapshot shows the game as it was: one command heard.
    EXPECT_EQ(QJsonDocument::fromJson(back->received[1].toUtf8()).object().value(QStringLiteral("stock")).toInt(), 1);

    // A duplicated tab with the same secret gets a game of its own.
    auto twin = Greeted(secret);
    ASSERT_TRUE(twin);
    EXPECT_NE(Secret(twin->received.front()), secret);

    // Past the wait the game is gone; asking for it gives a new one.
    back->socket.close();
    ASSERT_TRUE(back->WaitClosed());
    QTest::qWait(700);
    auto late = Greeted(secret);
    ASSERT_TRUE(late);
    EXPECT_FALSE(QJsonDocument::fromJson(late->received[0].toUtf8()).object().value(QStringLiteral("resumed")).toBool());
    EXPECT_EQ(hub_->SessionCount(), 2u);  // the twin's and the late one's
}

TEST_F(WebServer, LimitsConnectionsPerAddress) {
    HubLimits limits;
    limits.connectionsPerAddress = 3;
    Start(limits);
    std::vector<std::unique_ptr<Tab>> tabs;
    for (int i = 0; i < 3; ++i) {
        tabs.push_back(Greeted());
        ASSERT_TRUE(tabs.back());
    }
    Tab fourth(origin_);
    EXPECT_FALSE(fourth.Open(port_));
    // A tab that closes makes room once its game's wait is over, not before: a reload
    // must find its place.
    tabs.back()->socket.close();
    ASSERT_TRUE(tabs.back()->WaitClosed());
    Tab fifth(origin_);
    EXPECT_FALSE(fifth.Open(port_));
}

// Behind a reverse proxy every tab comes from loopback: the limit counts the players the
// proxy names, and a header is believed only when the settings say a proxy is in front.
TEST_F(WebServer, CountsPlayersBehindAProxyByTheirForwardedAddress) {
    struct Case {
        bool behindProxy;
        std::vector<QByteArray> forwardedFor;  // the tabs opened, the last one's outcome checked
        bool lastOpens;
    };
    const Case cases[] = {
        {true, {"203.0.113.5", "203.0.113.5", "203.0.113.5"}, false},
        {true, {"203.0.113.5", "203.0.113.5", "203.0.113.6"}, true},
        // A player's own header comes first; the proxy's address is the last one.
        {true, {"203.0.113.5", "203.0.113.5", "203.0.113.6, 203.0.113.5"}, false},
        {true, {"203.0.113.5", "203.0.113.5", "not an address"}, true},  // counted as the proxy's
        {false, {"203.0.113.5", "203.0.113.6", "203.0.113.7"}, false},
    };
    for (const Case& test : cases) {
        HubLimits limits;
        limits.connectionsPerAddress = 2;
        Start(limits);
        listener_->SetBehindProxy(test.behindProxy);
        std::vector<std::unique_ptr<Tab>> tabs;
        for (const QByteArray& address : test.forwardedFor) {
            tabs.push_back(std::make_unique<Tab>(origin_));
            const bool opened = tabs.back()->Open(port_, address);
            if (tabs.size() < test.forwardedFor.size()) ASSERT_TRUE(opened) << address.constData();
            else EXPECT_EQ(opened, test.lastOpens) << address.constData() << " behind a proxy: " << test.behindProxy;
        }
    }
}

// Only a proxy on this machine is believed: a header from a peer elsewhere names nobody.
TEST(PlayerAddress, BelievesTheForwardedAddressOnlyFromAProxyOnLoopback) {
    struct Case {
        const char* peer;
        std::string forwardedFor;
        bool behindProxy;
        const char* player;
    };
    const Case cases[] = {
        {"127.0.0.1", "203.0.113.5", true, "203.0.113.5"},
        {"::1", "2001:db8::7", true, "2001:db8::7"},
        // What a player forged comes first; the proxy's own addition is the last.
        {"127.0.0.1", "198.51.100.1, 203.0.113.6, 203.0.113.5", true, "203.0.113.5"},
        {"198.51.100.9", "203.0.113.5", true, "198.51.100.9"},  // not our proxy
        {"127.0.0.1", "203.0.113.5", false, "127.0.0.1"},
        {"127.0.0.1", "", true, "127.0.0.1"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(PlayerAddress(QHostAddress(QString::fromLatin1(test.peer)), test.forwardedFor, test.behindProxy),
                  QHostAddress(QString::fromLatin1(test.player)))
            << test.peer << " forwarding " << test.forwardedFor;
    }
}

TEST(WebSettings, ReadsThePortAndTabsFromFileAndCommandLine) {
    QTemporaryDir dir;
    const std::string file = QDir(dir.path()).filePath(QStringLiteral("tarvelweb.ini")).toStdString();
    std::string error;
    EXPECT_EQ(ReadWebSettings(file, {}, error)->port, 8412);
    {
        QFile ini(QString::fromStdString(file));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[web]\r\nport=9000\r\ntabsperaddress=50\r\n");
    }
    EXPECT_EQ(ReadWebSettings(file, {}, error)->port, 9000);
    EXPECT_EQ(ReadWebSettings(file, {}, error)->tabsPerAddress, 50);
    EXPECT_EQ(ReadWebSettings(file, {"--tabs-per-address=210"}, error)->tabsPerAddress, 210);
    EXPECT_EQ(ReadWebSettings(file, {"--seed", "7"}, error)->seed, 7u);
    EXPECT_EQ(ReadWebSettings(file, {"--port", "9100"}, error)->port, 9100);
    EXPECT_EQ(ReadWebSettings(file, {"--port=9200"}, error)->port, 9200);
    // A service names its file; the port on the command line still wins.
    const std::string missing = QDir(dir.path()).filePath(QStringLiteral("none.ini")).toStdString();
    EXPECT_EQ(ReadWebSettings(missing, {"--settings", file}, error)->port, 9000);
    EXPECT_EQ(ReadWebSettings(missing, {"--port=9300", "--settings=" + file}, error)->port, 9300);
    EXPECT_EQ(ReadWebSettings(missing, {}, error)->port, 8412);  // no tarvelweb.ini: the defaults
    EXPECT_FALSE(ReadWebSettings(file, {}, error)->behindProxy);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--port"}, {"--port", "0"}, {"--port", "65536"}, {"--port", "80x"}, {"--verbose"},
             {"--tabs-per-address", "0"}, {"--tabs-per-address", "401"}, {"--seed", "-1"}, {"--seed"},
             {"--settings"}, {"--settings", missing}, {"--settings", file, "--settings", file}}) {
        error.clear();
        EXPECT_FALSE(ReadWebSettings(file, bad, error).has_value()) << bad.front();
        EXPECT_FALSE(error.empty());
    }
    {
        QFile ini(QString::fromStdString(file));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[web]\r\nproxy=1\r\n");
    }
    EXPECT_TRUE(ReadWebSettings(file, {}, error)->behindProxy);
    {
        QFile ini(QString::fromStdString(file));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[web]\r\nproxy=yes\r\n");
    }
    EXPECT_FALSE(ReadWebSettings(file, {}, error).has_value());
}

// The one game server the tabs may reach: what the file names, or this computer's.
TEST(WebSettings, NamesTheGameServerAsHostAndPort) {
    QTemporaryDir dir;
    const std::string file = QDir(dir.path()).filePath(QStringLiteral("tarvelweb.ini")).toStdString();
    struct Case {
        const char* value;  // server= in the file; nullptr: no such line
        const char* host;   // nullptr: the program stops with a message
        int port = 0;
    };
    const Case cases[] = {
        {nullptr, "127.0.0.1", 1412},
        {"cards.example.org:6060", "cards.example.org", 6060},
        {"[::1]:1412", "::1", 1412},
        {"10.0.0.5", nullptr},          // no port
        {"10.0.0.5:0", nullptr},
        {"10.0.0.5:70000", nullptr},
        {"::1:1412", nullptr},           // an IPv6 address needs its brackets
        {":1412", nullptr},
        {"evil host:1412", nullptr},
        {"http://x/:1412", nullptr},
    };
    for (const Case& given : cases) {
        QFile ini(QString::fromStdString(file));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(given.value ? "[web]\r\nserver=" + QByteArray(given.value) + "\r\n" : QByteArray("[web]\r\n"));
        ini.close();
        std::string error;
        const auto settings = ReadWebSettings(file, {}, error);
        if (given.host == nullptr) {
            EXPECT_FALSE(settings.has_value()) << given.value;
            EXPECT_NE(error.find("server="), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(settings.has_value()) << error;
        EXPECT_EQ(settings->serverHost, given.host);
        EXPECT_EQ(settings->serverPort, given.port);
    }
}

}  // namespace
}  // namespace tarvel::web::testing
