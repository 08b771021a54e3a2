// Key press at one client to the card's name started at the other, over loopback
// through a running server: two real windows in this process under the offscreen
// platform, the first laying cards by key presses, the second answering by keys.
// Usage: network_figures PORT [SAMPLES]   (a tarvelsvr must listen on PORT)
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "client/app/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when each phrase was started; plays nothing.
class TimingAudio final : public tarvel::AudioBackend {
  public:
    int starts = 0;
    Clock::time_point lastStart;
    void Start(const std::string&, tarvel::Playback) override {
        ++starts;
        lastStart = Clock::now();
    }
    bool IsPlaying() override { return false; }
};

struct Side {
    Side(int port, const char* gender, const char* name) {
        QDir::setCurrent(dir.path());
        std::ofstream(dir.filePath("tarvel.ini").toStdString())
            << "[game]\nnumberofgames=0\nsaypickedcards=0\nplayergender=" << gender
            << "\n[net]\nipaddress=127.0.0.1\nport=" << port << "\n";
        auto timing = std::make_unique<TimingAudio>();
        audio = timing.get();
        tarvel::ClientSetup setup;
        setup.audio = std::move(timing);
        setup.settingsFile = dir.filePath("tarvel.ini").toStdString();
        setup.seed = 1;
        setup.showMessage = [](const QString& text) { std::fprintf(stderr, "%s\n", text.toUtf8().constData()); };
        setup.userName = [name] { return std::string(name); };
        window = std::make_unique<tarvel::MainWindow>(std::move(setup));
        window->show();
    }
    tarvel::GameState& State() { return window->GameEngine().State(); }
    bool MyTurn() {
        return State().running && State().PlayerTurn() &&
               window->GameEngine().Net().waiting == tarvel::NetworkWait::None &&
               !window->GameEngine().Net().awaitingCards;
    }
    void Press(Qt::Key key) { QTest::keyClick(&window->Table(), key); }

    QTemporaryDir dir;
    TimingAudio* audio = nullptr;
    std::unique_ptr<tarvel::MainWindow> window;
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// Handles events until `done`, without sleeping between them, for at most `limit`.
template <typename Done>
bool Pump(Done done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000)) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// A move by keys that is not measured: a suit, the first card that may be laid, or a draw.
void MoveByKeys(Side& side) {
    if (side.State().SuitChoiceActive()) {
        side.Press(Qt::Key_Home);
        side.Press(Qt::Key_Return);
        return;
    }
    for (std::size_t i = 1; i <= side.State().playerHand.size(); ++i) {
        side.Press(Qt::Key_Home);
        for (std::size_t step = 1; step < i; ++step) side.Press(Qt::Key_Right);
        side.Press(Qt::Key_Return);
        if (!side.MyTurn() || side.State().SuitChoiceActive()) return;
    }
    side.Press(Qt::Key_Space);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: network_figures PORT [SAMPLES]\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 200;
    Side a(port, "m", "figures a");
    Side b(port, "z", "figures b");
    a.window->Menu().newNetworkGame->trigger();
    b.window->Menu().newNetworkGame->trigger();
    if (!Pump([&] { return a.State().running && b.State().running; }, std::chrono::milliseconds(15000))) {
        std::fprintf(stderr, "the network match did not start\n");
        return 1;
    }
    std::vector<double> micros;
    for (int rounds = 0; static_cast<int>(micros.size()) < wanted && rounds < 50 * wanted; ++rounds) {
        if (!Pump([&] { return a.MyTurn() || b.MyTurn(); })) break;
        if (b.MyTurn()) {
            MoveByKeys(b);
            continue;
        }
        if (a.State().SuitChoiceActive()) {
            MoveByKeys(a);
            continue;
        }
        // Lay the first card that may be laid; the last press of Return is the one measured.
        bool laid = false;
        for (std::size_t i = 1; i <= a.State().playerHand.size() && !laid; ++i) {
            a.Press(Qt::Key_Home);
            for (std::size_t step = 1; step < i; ++step) a.Press(Qt::Key_Right);
            const int before = b.audio->starts;
            const auto pressed = Clock::now();
            a.Press(Qt::Key_Return);
            if (a.MyTurn() && !a.State().SuitChoiceActive()) continue;  // refused: try the next card
            laid = true;
            if (Pump([&] { return b.audio->starts > before; })) {
                micros.push_back(std::chrono::duration<double, std::micro>(b.audio->lastStart - pressed).count());
            }
        }
        if (!laid) a.Press(Qt::Key_Space);
    }
    if (micros.empty()) {
        std::fprintf(stderr, "no card was measured\n");
        return 1;
    }
    std::printf("key press at one client -> card name started at the other, %zu cards: p50 %.1f us, p99 %.1f us\n",
                micros.size(), Percentile(micros, 0.5), Percentile(micros, 0.99));
    return 0;
}
