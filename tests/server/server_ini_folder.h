// A server window test's own folder with its tarvelsvr.ini, under the offscreen platform.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    QByteArray IniBytes() {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    testing::ZeroRandom random;
};

}  // namespace tarvel::server
