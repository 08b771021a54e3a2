// Browser tabs at one named table of the real server program, through tarvelweb's hub and
// the tabs' sessions: a whole match by the page's messages alone, messages both ways, a
// tab whose WebSocket is cut and comes back, and the network requests a page may get wrong.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "tests/net/cuttable_link.h"
#include "tests/net/server_program.h"
#include "tests/web/web_fixture.h"
#include "web/game/session_game.h"

namespace tarvel::web::testing {
namespace {

QJsonObject Parsed(const QString& frame) {
    return QJsonDocument::fromJson(frame.toUtf8()).object();
}

// A tab as its page sees it: what it was last told, and what it heard.
struct Player {
    std::unique_ptr<Tab> tab;
    QString secret;
    QJsonObject table;
    QJsonObject network;
    std::size_t read = 0;  // frames of the tab taken in
    int sentences = 0;
    std::vector<QString> chats;
    std::vector<QString> notices;
    std::vector<QString> history;

    void Take() {
        for (; read < tab->received.size(); ++read) {
            const QJsonObject frame = Parsed(tab->received[read]);
            const QString type = frame["type"].toString();
            if (type == "welcome") secret = frame["secret"].toString();
            if (type == "table") table = frame;
            if (type == "network") network = frame;
            if (type == "sentence") ++sentences;
            if (type == "chatReceived") chats.push_back(frame["text"].toString());
            if (type == "notice") notices.push_back(frame["text"].toString());
            if (type == "history") {
                if (frame["replace"].toBool()) history.clear();
                for (const auto& line : frame["lines"].toArray()) history.push_back(line.toString());
            }
        }
    }
    // Sends one message of the page and waits for the sentence that answers it.
    bool Ask(const QString& message) {
        Take();
        const int before = sentences;
        tab->Send(message);
        return QTest::qWaitFor([&] { Take(); return sentences > before || tab->closed; }, 5000) && sentences > before;
    }
    bool Press(const char* command) { return Ask(QStringLiteral(R"({"type":"command","name":"%1"})").arg(command)); }
    bool Dealt() { Take(); return network["match"].toBool() && table["running"].toBool(); }
    // The first card that is taken, else a draw; the first suit of a suit choice.
    bool Move() {
        if (!Dealt() || !table["playerTurn"].toBool()) return false;
        if (!table["suits"].toArray().isEmpty()) return Press("play");
        const int cards = static_cast<int>(table["hand"].toArray().size());
        Press("first");
        for (int tried = 0; tried < cards; ++tried) {
            const QJsonObject before = table;
            Press("play");
            if (table["hand"] != before["hand"] || !table["playerTurn"].toBool()) return true;
            Press("right");
        }
        return Press("draw");
    }
    // The number in what a Say command answers ("vyhrál jsi 1 hru").
    int SaidNumber(const char* command) {
        Press(command);
        const QJsonObject sentence = Parsed(tab->received.back());
        const auto found = QRegularExpression("\\d+").match(sentence["text"].toString());
        return found.hasMatch() ? found.captured().toInt() : -1;
    }
};

// Two games of a match for points, no table of best results to answer.
const QString kSettings = QStringLiteral(
    R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":true,)"
    R"("numberOfGames":2,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"%1","useTable":false,)"
    R"("computerLevel":0})");

class WebNetworkTest : public WebFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Listening());
        HubLimits limits;
        // A test player tries every card of his hand at once; a person does not.
        limits.commandsPerSecond = 10'000;
        limits.commandBurst = 10'000;
        Start(limits, [this](const std::string& language, std::function<void(const QByteArray&)> send) {
            SessionGameSetup setup;
            setup.language = language;
            setup.scoreFile = (scores_.path() + QStringLiteral("/tab%1.tab").arg(++tabs_)).toStdString();
            setup.serverHost = "127.0.0.1";
            setup.serverPort = link_.port;
            setup.userName = "web " + std::to_string(tabs_);
            return std::make_unique<SessionGame>(std::move(setup), std::move(send));
        });
    }

    Player Join(const char* gender) {
        Player player;
        player.tab = Greeted();
        if (player.tab) player.tab->Send(kSettings.arg(gender));
        return player;
    }

    static void PlayUntil(Player& eva, Player& petr, const std::function<bool()>& done) {
        for (int moves = 0, idle = 0; moves < 3000 && idle < 500 && !done();) {
            if (eva.Move() || petr.Move()) {
                ++moves;
                idle = 0;
            } else {
                ++idle;
                QTest::qWait(10);  // the server carries the move to the other side
            }
        }
    }

    tarvel::testing::ServerProgram server_{"tables=4\n"};
    tarvel::testing::CuttableLink link_{server_.port};  // the tabs' way to the server
    QTemporaryDir scores_;
    int tabs_ = 0;
};

TEST_F(WebNetworkTest, TwoTabsAtANamedTablePlayAWholeMatchTalkAndOneComesBackAfterItsWebSocketIsCut) {
    Player eva = Join("z");
    Player petr = Join("m");
    ASSERT_TRUE(eva.tab && petr.tab);
    // Someone else waiting for anyone is not who they meet.
    Player stranger = Join("m");
    ASSERT_TRUE(stranger.Ask(R"({"type":"networkMatch","table":""})"));
    ASSERT_TRUE(eva.Ask(R"({"type":"networkMatch","table":"Přátelé"})"));
    EXPECT_TRUE(eva.network["waiting"].toBool()) << "the wait is shown, its Cancel offered";
    ASSERT_TRUE(petr.Ask(R"({"type":"networkMatch","table":"Přátelé"})"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return eva.Dealt() && petr.Dealt(); }, 15000));
    EXPECT_FALSE(eva.network["waiting"].toBool());
    stranger.Take();
    EXPECT_TRUE(stranger.network["waiting"].toBool());
    ASSERT_TRUE(stranger.Press("stopWaiting"));
    EXPECT_FALSE(stranger.network["waiting"].toBool()) << "the wait ends on its Cancel";

    // Messages both ways, read as written and kept in the history.
    eva.tab->Send(R"({"type":"chat","text":"Ahoj, Petře"})");
    petr.tab->Send(R"({"type":"chat","text":"Zdravím"})");
    ASSERT_TRUE(QTest::qWaitFor([&] { eva.Take(); petr.Take(); return !eva.chats.empty() && !petr.chats.empty(); }, 5000));
    EXPECT_EQ(petr.chats, std::vector<QString>{"Ahoj, Petře"});
    EXPECT_EQ(eva.chats, std::vector<QString>{"Zdravím"});
    EXPECT_TRUE(std::any_of(petr.history.begin(), petr.history.end(),
                            [](const QString& line) { return line.contains("Ahoj, Petře"); }));

    // Eva's WebSocket is lost for a moment; her session keeps its seat and Petr plays on.
    PlayUntil(eva, petr, [&] { return eva.history.size() > 6; });
    eva.tab->socket.abort();
    ASSERT_TRUE(eva.tab->WaitClosed());
    for (int i = 0; i < 20 && petr.Move(); ++i) {}
    Player back;
    back.tab = Greeted(eva.secret);
    ASSERT_TRUE(back.tab);
    back.Take();
    EXPECT_EQ(back.secret, eva.secret) << "the reload came back to the same session";
    EXPECT_TRUE(back.network["match"].toBool()) << "and to the network match";
    ASSERT_TRUE(QTest::qWaitFor([&] { return back.Dealt(); }, 5000));

    PlayUntil(back, petr, [&] { return !back.network["match"].toBool() && !petr.network["match"].toBool(); });
    for (Player* player : {&back, &petr}) {
        EXPECT_FALSE(player->network["match"].toBool());
        EXPECT_FALSE(player->table["running"].toBool());
        EXPECT_TRUE(player->notices.empty()) << player->notices.front().toStdString();
    }
    const int evaWins = back.SaidNumber("playerWins");
    EXPECT_EQ(evaWins + back.SaidNumber("opponentWins"), 2) << "both games were played";
    EXPECT_EQ(evaWins, petr.SaidNumber("opponentWins")) << "the verdicts agree";
    EXPECT_EQ(back.SaidNumber("playerPoints"), petr.SaidNumber("opponentPoints"));
}

TEST_F(WebNetworkTest, ALostServerConnectionComesBackAndAServerGoneIsGivenUpWithEscape) {
    Player eva = Join("z");
    Player petr = Join("m");
    ASSERT_TRUE(eva.tab && petr.tab);
    ASSERT_TRUE(eva.Ask(R"({"type":"networkMatch","table":"u okna"})"));
    ASSERT_TRUE(petr.Ask(R"({"type":"networkMatch","table":"u okna"})"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return eva.Dealt() && petr.Dealt(); }, 15000));

    // The network between tarvelweb and the server fails for a moment: both tabs' sessions
    // come back to their seats, and the match goes on.
    PlayUntil(eva, petr, [&] { return eva.history.size() > 4; });
    link_.Cut();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            eva.Take();
            petr.Take();
            return eva.Dealt() && petr.Dealt() && !eva.network["returning"].toBool() &&
                   !petr.network["returning"].toBool() && server_.Logged("se vrátil do hry") == 2;
        },
        20000))
        << server_.Output();
    const std::size_t heard = eva.history.size();
    PlayUntil(eva, petr, [&] { return eva.history.size() > heard + 4; });
    EXPECT_GT(eva.history.size(), heard + 4) << "moves go both ways after the return";

    server_.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { eva.Take(); return eva.network["returning"].toBool(); }, 10000))
        << "the page is told the match is coming back, so Esc gives it up";
    EXPECT_TRUE(eva.table["line"].toString().contains("Esc")) << eva.table["line"].toString().toStdString();
    ASSERT_TRUE(eva.Press("giveUpReturn"));
    EXPECT_FALSE(eva.network["returning"].toBool());
    EXPECT_FALSE(eva.network["match"].toBool());
    EXPECT_FALSE(eva.table["running"].toBool());
}

TEST_F(WebNetworkTest, ANetworkRequestThePageGotWrongIsToldAndChangesNothing) {
    Player eva = Join("z");
    ASSERT_TRUE(eva.tab);
    struct Case {
        const char* message;
        const char* told;  // a part of the notice
    };
    const Case cases[] = {
        // The server takes no backslash (its messages' end) and only its code page's letters.
        {R"({"type":"networkMatch","table":"a\\b"})", "a\\b"},
        {R"({"type":"networkMatch","table":"字"})", "字"},
        // No match to send a message to.
        {R"({"type":"chat","text":"Ahoj"})", "Žádná hra"},
    };
    for (const Case& wrong : cases) {
        eva.notices.clear();
        eva.tab->Send(QString::fromUtf8(wrong.message));
        ASSERT_TRUE(QTest::qWaitFor([&] { eva.Take(); return !eva.notices.empty(); }, 5000)) << wrong.message;
        EXPECT_TRUE(eva.notices.front().contains(QString::fromUtf8(wrong.told))) << eva.notices.front().toStdString();
        EXPECT_FALSE(eva.network["waiting"].toBool()) << wrong.message;
        EXPECT_FALSE(eva.tab->closed) << "the tab plays on: " << wrong.message;
    }
    EXPECT_EQ(server_.Logged("Klient připojen"), 0) << "nothing reached the server";

    // Asked twice, the tab still holds one connection to the server.
    ASSERT_TRUE(eva.Ask(R"({"type":"networkMatch","table":""})"));
    ASSERT_TRUE(eva.Ask(R"({"type":"networkMatch","table":"jiný"})"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server_.Logged("Klient připojen") >= 1; }, 5000));
    // Asking and cancelling in a loop is told the server is busy, and opens nothing.
    eva.notices.clear();
    ASSERT_TRUE(eva.Press("stopWaiting"));
    ASSERT_TRUE(eva.Ask(R"({"type":"networkMatch","table":""})"));
    ASSERT_EQ(eva.notices.size(), 1u);
    EXPECT_TRUE(eva.notices.front().contains("obsazen")) << eva.notices.front().toStdString();
    EXPECT_FALSE(eva.network["waiting"].toBool());
    QTest::qWait(300);
    EXPECT_EQ(server_.Logged("Klient připojen"), 1);
}

}  // namespace
}  // namespace tarvel::web::testing
