// The server's tables in its window and settings: the setting in tarvelsvr.ini, the
// dialog's field, the list of tables a screen reader reads, and a window set to several
// tables seating pairs by name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <map>
#include <memory>

#include "tests/server/fakes.h"
#include "tests/server/server_ini_folder.h"
#include "tests/server/match_scripts.h"
#include "server/server_settings.h"
#include "server/server_window.h"
#include "server/settings_dialog.h"
#include "server/core/table_hall.h"
#include "server/table_lines.h"

namespace tarvel::server {
namespace {

using ServerTablesTest = ServerIniFolderTest;

TEST_F(ServerTablesTest, TheSettingIsOneUnlessSetAndStaysOutOfAFileThatNeverHadIt) {
    EXPECT_EQ(ReadServerSettings(IniPath()).tables, 1);
    for (const auto& [text, tables] : {std::pair{"tables=250", 250}, std::pair{"tables=0", 1},
                                       std::pair{"tables=x", 1}, std::pair{"tables=999999", kMostTables}}) {
        WriteIni(QByteArray("[server]\n") + text + "\n");
        EXPECT_EQ(ReadServerSettings(IniPath()).tables, tables) << text;
    }
    WriteIni("[server]\nport=1412\n");
    ServerSettings settings;
    WriteConnectionSettings(IniPath(), settings);
    EXPECT_FALSE(IniBytes().contains("tables"));  // a one-table server's file as it always was
    settings.tables = 40;
    WriteConnectionSettings(IniPath(), settings);
    EXPECT_EQ(ReadServerSettings(IniPath()).tables, 40);
    settings.tables = 1;
    WriteConnectionSettings(IniPath(), settings);  // once there, the key follows the dialog
    EXPECT_EQ(ReadServerSettings(IniPath()).tables, 1);
}

TEST_F(ServerTablesTest, TheWaitForALostPlayerIsSixtySecondsUnlessSetAndStaysOutOfAnOldFile) {
    EXPECT_EQ(ReadServerSettings(IniPath()).reconnectWait, 60);
    for (const auto& [text, wait] : {std::pair{"reconnectwait=5", 5}, std::pair{"reconnectwait=0", 0},
                                     std::pair{"reconnectwait=-3", 0}, std::pair{"reconnectwait=x", 60},
                                     std::pair{"reconnectwait=99999", kLongestReconnectWait}}) {
        WriteIni(QByteArray("[server]\n") + text + "\n");
        EXPECT_EQ(ReadServerSettings(IniPath()).reconnectWait, wait) << text;
    }
    WriteIni("[server]\nport=1412\n");
    ServerSettings settings;
    WriteConnectionSettings(IniPath(), settings);
    EXPECT_FALSE(IniBytes().contains("reconnectwait"));
    settings.reconnectWait = 120;
    WriteConnectionSettings(IniPath(), settings);
    EXPECT_EQ(ReadServerSettings(IniPath()).reconnectWait, 120);
    settings.reconnectWait = 60;
    WriteConnectionSettings(IniPath(), settings);
    EXPECT_TRUE(IniBytes().contains("reconnectwait=60"));

    // The dialog's field, named for a screen reader, takes seconds within the range only.
    SettingsDialog dialog(2000);
    dialog.Load(1412, true, 1, 45);
    auto* field = dialog.findChild<QLineEdit*>("reconnectEdit");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->accessibleName(), "Wait for a disconnected player to return (s)");
    EXPECT_EQ(dialog.ReconnectWait(), 45);
    for (const char* bad : {"", "-1", "3601", "1 0", "x"}) {
        field->setText(bad);
        EXPECT_FALSE(dialog.ReconnectWait()) << bad;
    }
    field->setText("0");
    EXPECT_EQ(dialog.ReconnectWait(), 0);
}

TEST_F(ServerTablesTest, TheDialogsFieldHasItsLetterAndTakesOnlyANumberOfTables) {
    SettingsDialog dialog(1000);
    auto* field = dialog.findChild<QLineEdit*>("tablesEdit");
    ASSERT_NE(field, nullptr);
    dialog.Load(1412, true, 12);
    EXPECT_EQ(field->text(), "12");
    EXPECT_EQ(dialog.Tables(), 12);
    for (const char* bad : {"", "0", "-3", "1x", "100001"}) {
        field->setText(bad);
        EXPECT_EQ(dialog.Tables(), std::nullopt) << bad;
    }
    const auto labels = dialog.findChildren<QLabel*>();
    const auto label = std::find_if(labels.begin(), labels.end(), [&](QLabel* l) { return l->buddy() == field; });
    ASSERT_NE(label, labels.end());
    EXPECT_EQ((*label)->text(), "Počet &stolů");
    EXPECT_EQ(field->accessibleName(), "Počet stolů");

    field->setText("0");
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    dialog.accept();
    EXPECT_EQ(shown, "„0“ není počet stolů (1 až 100000).");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(ServerTablesTest, TheListTellsEachTakenTableItsPlayersAndWhatItDoes) {
    testing::FakeLinks links;
    testing::RecordingLog log;
    testing::FakeTimerSource timers;
    TableHall hall(3, links, log, random, timers);
    EXPECT_EQ(TableLines(hall, 1000), QStringList{"Žádný stůl není obsazen"});
    hall.ClientConnected(1, "10.0.0.1", 5000);
    hall.ClientRead(1, protocol::EncodeForWire("join=Přátelé"));
    hall.ClientConnected(2, "10.0.0.2", 5000);
    timers.RunOutAll();  // the wait for its table's name
    hall.ClientConnected(3, "10.0.0.3", 5000);
    hall.ClientRead(3, protocol::EncodeForWire("join=Přátelé"));
    std::string settings;
    for (const auto& m : testing::SettingsMessages(0, "Jana", "z")) settings += protocol::EncodeForWire(m);
    hall.ClientRead(1, settings);
    EXPECT_EQ(TableLines(hall, 1000),
              (QStringList{"Stůl 1 „Přátelé“: porovnává nastavení, hráč 0 Jana (10.0.0.1), hráč 1 10.0.0.3",
                           "Stůl 2: čeká na soupeře, hráč 0 10.0.0.2"}));
    EXPECT_EQ(TableLines(hall, 2000)[1], "Table 2: waiting for an opponent, player 0 10.0.0.2");
}

TEST_F(ServerTablesTest, AWindowSetToSeveralTablesSeatsFriendsAndShowsThem) {
    quint16 port = 0;
    const auto listening = ListeningWindow("tables=4\n", port);
    ASSERT_NE(listening, nullptr);
    ServerWindow& window = *listening;
    EXPECT_EQ(window.Listener().Hall().TableCount(), 4);
    auto* tables = window.findChild<QListWidget*>("tablesList");
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(tables->accessibleName(), "Stoly");

    QTcpSocket first;
    QTcpSocket second;
    for (QTcpSocket* socket : {&first, &second}) {
        QObject::connect(socket, &QTcpSocket::connected, [socket] {
            const std::string join = protocol::EncodeForWire("join=U Karla");
            socket->write(join.data(), static_cast<qint64>(join.size()));
        });
        socket->connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    // A window nobody has shown (a service's) leaves its list alone; shown, it has every table.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList lines = TableLines(window.Listener().Hall(), 1000);
            return lines.size() == 1 && lines[0].contains("hráč 1");
        },
        5000));
    QTest::qWait(600);  // past a turn of the list's timer
    EXPECT_EQ(tables->count(), 0);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return tables->count() == 1 && tables->item(0)->text().contains("hráč 1"); }, 5000));
    EXPECT_TRUE(
        tables->item(0)->text().startsWith("Stůl 1 „U Karla“: porovnává nastavení, hráč 0 127.0.0.1"));
}

// The window redraws only the tables that changed: taken and freed anywhere in the list,
// its lines stay those of every table in order.
TEST_F(ServerTablesTest, TheListFollowsTablesTakenAndFreedAnywhere) {
    quint16 port = 0;
    const auto listening = ListeningWindow("tables=4\n", port);
    ASSERT_NE(listening, nullptr);
    ServerWindow& window = *listening;
    window.show();
    auto* tables = window.findChild<QListWidget*>("tablesList");
    ASSERT_NE(tables, nullptr);
    const auto shown = [&] {
        QStringList lines;
        for (int row = 0; row < tables->count(); ++row) lines << tables->item(row)->text();
        return lines;
    };
    std::map<std::string, std::unique_ptr<QTcpSocket>> clients;
    const auto join = [&](const std::string& table) {
        auto socket = std::make_unique<QTcpSocket>();
        QTcpSocket* raw = socket.get();
        QObject::connect(raw, &QTcpSocket::connected, [raw, table] {
            const std::string bytes = protocol::EncodeForWire("join=" + table);
            raw->write(bytes.data(), static_cast<qint64>(bytes.size()));
        });
        raw->connectToHost(QStringLiteral("127.0.0.1"), port);
        clients[table] = std::move(socket);
    };
    const auto showsTables = [&](const QStringList& starts) {
        return QTest::qWaitFor(
            [&] {
                const QStringList lines = shown();
                if (lines != TableLines(window.Listener().Hall(), 1000) || lines.size() != starts.size()) return false;
                for (int i = 0; i < starts.size(); ++i) {
                    if (!lines[i].startsWith(starts[i])) return false;
                }
                return true;
            },
            5000);
    };

    EXPECT_EQ(shown(), QStringList{"Žádný stůl není obsazen"});
    for (const char* table : {"a", "b", "c"}) {
        join(table);
        ASSERT_TRUE(QTest::qWaitFor([&] { return tables->count() == static_cast<int>(clients.size()); }, 5000));
    }
    EXPECT_TRUE(showsTables({"Stůl 1 „a“", "Stůl 2 „b“", "Stůl 3 „c“"})) << shown().join('\n').toStdString();
    clients.at("b")->disconnectFromHost();
    EXPECT_TRUE(showsTables({"Stůl 1 „a“", "Stůl 3 „c“"})) << shown().join('\n').toStdString();
    join("d");  // the first free table, between the two
    EXPECT_TRUE(showsTables({"Stůl 1 „a“", "Stůl 2 „d“", "Stůl 3 „c“"})) << shown().join('\n').toStdString();
    for (const char* table : {"a", "c", "d"}) clients.at(table)->disconnectFromHost();
    EXPECT_TRUE(showsTables({"Žádný stůl není obsazen"})) << shown().join('\n').toStdString();
}

}  // namespace
}  // namespace tarvel::server
