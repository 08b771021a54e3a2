// Figures of the client window under the offscreen platform:
//   key press -> its phrase started, through the real window (median, 99th percentile);
//   start of the program to its window shown, beside a bare Qt window (median of runs);
//   processor time while a match waits for the player (clock ticks over 10 s).
// Usage: client_figures [GAME_FOLDER_WITH_KARTY [PRESSES IDLE_SECONDS STARTS]]
//   (by default 2,000 presses, 10 s waiting and 15 starts of each window)
#include <sys/times.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QProcess>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "client/app/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when each phrase was started; plays nothing.
class TimingAudio final : public tarvel::AudioBackend {
  public:
    Clock::time_point lastStart;
    void Start(const std::string&, tarvel::Playback) override { lastStart = Clock::now(); }
    bool IsPlaying() override { return false; }
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

tarvel::ClientSetup Setup(std::unique_ptr<tarvel::AudioBackend> audio) {
    tarvel::ClientSetup setup;
    setup.audio = std::move(audio);
    setup.settingsFile = QDir::current().filePath("tarvel-figures.ini").toStdString();
    setup.seed = 1;
    setup.showMessage = [](const QString&) {};
    return setup;
}

int ShowAndExit(const QString& which) {
    if (which != "tarvel") {
        // A bare window; "text" gives it a menu and a status line, so that it too loads
        // the fonts any window with words in it needs.
        QMainWindow window;
        if (which == "text") {
            window.menuBar()->addMenu(QStringLiteral("&Hra"))->addAction(QStringLiteral("&Nová hra"));
            window.statusBar()->showMessage(QStringLiteral("Hra 1"));
        }
        window.resize(800, 560);
        window.show();
        return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
    }
    tarvel::MainWindow window(Setup(std::make_unique<tarvel::SilentAudioBackend>()));
    window.resize(800, 560);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

double MedianStartMilliseconds(const QString& self, const char* which, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const int code = QProcess::execute(self, {QStringLiteral("--show"), QString::fromLatin1(which)});
        if (code != 0) std::fprintf(stderr, "the %s window did not come up (%d)\n", which, code);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return Percentile(times, 0.5);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 3 && arguments[1] == "--show") return ShowAndExit(arguments[2]);
    if (arguments.size() >= 2) QDir::setCurrent(arguments[1]);
    const bool counted = arguments.size() == 5;
    const int presses = counted ? std::max(1, arguments[2].toInt()) : 2000;
    const int idleSeconds = counted ? std::max(1, arguments[3].toInt()) : 10;
    const int starts = counted ? std::max(1, arguments[4].toInt()) : 15;

    // Key press to phrase started.
    auto audio = std::make_unique<TimingAudio>();
    TimingAudio& timing = *audio;
    {
        tarvel::MainWindow window(Setup(std::move(audio)));
        window.resize(800, 560);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        QTest::keyClick(&window.Table(), Qt::Key_N, Qt::ControlModifier);
        std::vector<double> micros;
        for (int i = 0; i < presses; ++i) {
            const auto pressed = Clock::now();
            QTest::keyClick(&window.Table(), i % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
            micros.push_back(std::chrono::duration<double, std::micro>(timing.lastStart - pressed).count());
        }
        std::printf("key press -> phrase started, through the window: median %.1f us, p99 %.1f us (%zu presses)\n",
                    Percentile(micros, 0.5), Percentile(micros, 0.99), micros.size());

        // Idle in a match: nothing should run at all (after the presses have been painted).
        QTest::qWait(1000);
        tms before{};
        times(&before);
        QTimer::singleShot(idleSeconds * 1000, &application, &QCoreApplication::quit);
        application.exec();
        tms after{};
        times(&after);
        const long ticks = (after.tms_utime - before.tms_utime) + (after.tms_stime - before.tms_stime);
        std::printf("processor while a match waits for the player: %ld ticks in %d s (%ld ticks per second)\n", ticks,
                    idleSeconds, sysconf(_SC_CLK_TCK));
    }

    const QString self = QCoreApplication::applicationFilePath();
    const double bare = MedianStartMilliseconds(self, "empty", starts);
    const double text = MedianStartMilliseconds(self, "text", starts);
    const double tarvel = MedianStartMilliseconds(self, "tarvel", starts);
    std::printf("start to window shown, median of %d runs: tarvel %.1f ms; an empty Qt window %.1f ms (%.2fx); "
                "a Qt window with a menu and a status line %.1f ms (%.2fx)\n",
                starts, tarvel, bare, tarvel / bare, text, tarvel / text);
    return 0;
}
