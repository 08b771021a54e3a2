// A server window test's own folder with its tarvelsvr.ini, under the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>

#include "server/server_window.h"
#include "tests/server/fakes.h"

namespace tarvel::server {

// The server's window tests need one QApplication in their program, on the offscreen
// platform: whichever test runs first makes it.
inline void EnsureOffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "server_window_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

class ServerIniFolderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureOffscreenApplication(); }
    QString IniPath() const { return QDir(folder.path()).filePath("tarvelsvr.ini"); }
    void WriteIni(const QByteArray& text) {
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // A window listening on loopback with these further server settings: on a port below
    // the kernel's range for outgoing connections, so that no client of a test running
    // beside this one takes it first, and on another when one is taken anyway. Nothing
    // when ten ports were taken.
    std::unique_ptr<ServerWindow> ListeningWindow(const QByteArray& settings, quint16& port) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            port = static_cast<quint16>(QRandomGenerator::global()->bounded(20000, 32000));
            WriteIni("[server]\nport=" + QByteArray::number(port) + "\n" + settings);
            auto window = std::make_unique<ServerWindow>(folder.path(), random);
            if (window->Listener().IsListening()) return window;
        }
        return nullptr;
    }
    QByteArray IniBytes() {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    testing::ZeroRandom random;
};

}  // namespace tarvel::server
