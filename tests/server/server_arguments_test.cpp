// The server's command line: the settings file named by --settings, help, and refusals;
// and the program run with it where there is no display at all.
#include "server/server_arguments.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "common/version.h"
#include "tests/server/server_ini_folder.h"

namespace tarvel::server {
namespace {

struct Refused {
    std::vector<std::string> arguments;
    std::string error;
};

TEST(ServerArgumentsTest, ReadsTheSettingsFileInBothSpellingsAndHelp) {
    std::string error;
    const auto none = ParseServerArguments({}, error);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->settingsFile, "");
    EXPECT_FALSE(none->help);

    const auto apart = ParseServerArguments({"--settings", "/etc/tarvel/tarvelsvr.ini"}, error);
    ASSERT_TRUE(apart);
    EXPECT_EQ(apart->settingsFile, "/etc/tarvel/tarvelsvr.ini");
    const auto joined = ParseServerArguments({"--settings=my server.ini"}, error);
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->settingsFile, "my server.ini");

    for (const char* help : {"--help", "-h"}) {
        const auto asked = ParseServerArguments({"--settings", "x.ini", help}, error);
        ASSERT_TRUE(asked) << help;
        EXPECT_TRUE(asked->help) << help;
        EXPECT_FALSE(asked->version) << help;
    }
    const auto version = ParseServerArguments({"--version"}, error);
    ASSERT_TRUE(version);
    EXPECT_TRUE(version->version);
    EXPECT_FALSE(version->help);
}

TEST(ServerArgumentsTest, RefusesWhatItDoesNotKnowWithTheReason) {
    const std::vector<Refused> cases = {
        {{"--port", "1412"}, "unknown argument \"--port\""},
        {{"tarvelsvr.ini"}, "unknown argument \"tarvelsvr.ini\""},
        {{"--settingsx"}, "unknown argument \"--settingsx\""},
        {{"--settings"}, "--settings needs the path of the settings file"},
        {{"--settings="}, "--settings needs the path of the settings file"},
        {{"--settings", ""}, "--settings needs the path of the settings file"},
        {{"--settings", "a.ini", "--settings=b.ini"}, "--settings is given more than once"},
    };
    for (const Refused& refused : cases) {
        std::string error;
        EXPECT_FALSE(ParseServerArguments(refused.arguments, error)) << refused.error;
        EXPECT_EQ(error, refused.error);
    }
}

// The real program, started as a service starts it: no display, no platform chosen.
class ServerProgramTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureOffscreenApplication(); }

    void Start(const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        server.setProcessEnvironment(environment);
        server.setWorkingDirectory(folder.path());
        server.start(QStringLiteral(TARVELSVR_PATH), arguments);
        ASSERT_TRUE(server.waitForStarted(5000));
    }
    void TearDown() override {
        if (server.state() != QProcess::NotRunning) {
            server.kill();
            server.waitForFinished(5000);
        }
    }

    QTemporaryDir folder;
    QProcess server;
};

TEST_F(ServerProgramTest, ListensOnThePortOfTheNamedSettingsFileWithoutADisplay) {
    QDir(folder.path()).mkdir("etc");
    QFile file(QDir(folder.path()).filePath("etc/server.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[server]\nport=0\n");
    file.close();
    // A relative path is taken from the folder the server is started in.
    Start({QStringLiteral("--settings"), QStringLiteral("etc/server.ini")});
    QByteArray out;
    const bool listening = QTest::qWaitFor(
        [&] {
            out += server.readAllStandardOutput();
            return out.contains("Port serveru: 0\n") || server.state() == QProcess::NotRunning;
        },
        10000);
    EXPECT_TRUE(listening && out.contains("Port serveru: 0\n"))
        << out.toStdString() << server.readAllStandardError().toStdString();
}

TEST_F(ServerProgramTest, HelpAndARefusedArgumentEndAtOnce) {
    Start({QStringLiteral("--help")});
    ASSERT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitCode(), 0);
    const QByteArray usage = server.readAllStandardOutput();
    EXPECT_TRUE(usage.startsWith("Usage: tarvelsvr [--settings FILE]\n"));
    EXPECT_TRUE(usage.contains(("Tarvel " + std::string(ProgramVersion()) + ".\n").c_str())) << usage.toStdString();

    Start({QStringLiteral("--port"), QStringLiteral("1412")});
    ASSERT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitCode(), 2);
    // Qt may have warned before (no runtime folder, say): the refusal is looked for, not placed.
    EXPECT_TRUE(server.readAllStandardError().contains("tarvelsvr: unknown argument \"--port\"\nUsage:"));
    EXPECT_FALSE(QFile::exists(QDir(folder.path()).filePath("tarvelsvr.ini")));
}

}  // namespace
}  // namespace tarvel::server
