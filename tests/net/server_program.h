// The real server program for tests over loopback: copied into a folder of its own,
// listening on a free port. The test program defines TARVELSVR_PATH.
#pragma once

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace tarvel::testing {

// A loopback port that nobody listens on now.
inline quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class ServerProgram {
  public:
    // `extraSettings`: more lines of the server section of its settings file.
    explicit ServerProgram(const QByteArray& extraSettings = {}) {
        const QString program = dir_.filePath("tarvelsvr");
        QFile::copy(TARVELSVR_PATH, program);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(dir_.path());
        // A port below the kernel's range for outgoing connections, so that no client of a
        // test running beside this one takes it first; one that is taken anyway is tried again.
        for (int attempt = 0; attempt < 10; ++attempt) {
            port = static_cast<quint16>(QRandomGenerator::global()->bounded(20000, 32000));
            QFile ini(dir_.filePath("tarvelsvr.ini"));
            ini.open(QIODevice::WriteOnly);
            ini.write("[server]\nport=" + QByteArray::number(port) + "\nconnectatstartup=1\n" + extraSettings);
            ini.close();
            output_.clear();
            process_.start(program, {});
            process_.waitForStarted(5000);
            (void)QTest::qWaitFor([this] {
                output_ += process_.readAllStandardOutput();
                return output_.contains("Port serveru") || output_.contains("Nelze naslouchat");
            }, 10000);
            if (!output_.contains("Nelze naslouchat")) return;
            Stop();
        }
    }
    ~ServerProgram() { Stop(); }
    void Stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }
    bool Listening() const { return output_.contains("Port serveru") && !output_.contains("Nelze naslouchat"); }
    // How many lines of its log so far contain `text`.
    int Logged(const QByteArray& text) {
        output_ += process_.readAllStandardOutput();
        return static_cast<int>(output_.count(text));
    }
    // Its log so far, for a failing test to show.
    std::string Output() {
        output_ += process_.readAllStandardOutput();
        return output_.toStdString();
    }

    quint16 port = 0;

  private:
    QTemporaryDir dir_;
    QProcess process_;
    QByteArray output_;
};

}  // namespace tarvel::testing
