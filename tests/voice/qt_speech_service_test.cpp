// The real service on this machine, whatever it has: speech-dispatcher running or not,
// a sound card or none. The answers must agree with each other and nothing may hang;
// whether sound came out is not asked.
#include "client/voice/qt_speech_service.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <thread>

// The speech-dispatcher client library writes why it could not connect into a string
// it makes and never frees (the plain connection call has no way to hand it back); the
// leak checker of the sanitizer build is told to look past that one allocation site.
// The library and glib keep no frame pointers, so the checker walks the stack the slow
// way to see that the string comes from there.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:spd_open2\n";
}
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

namespace tarvel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class QtSpeechServiceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() != nullptr) return;
        static int argc = 1;
        static char name[] = "voice_test";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
};

long long Milliseconds(Clock::duration d) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
}

// As the window waits for a phrase: painting goes on, a few milliseconds apart.
bool SpeakingEndsWithin(QtSpeechService& service, Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    while (service.Speaking()) {
        if (Clock::now() > deadline) return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// Sets an environment variable for one test and puts back what was there.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(QtSpeechServiceTest, TheRealServiceAnswersConsistentlyAndNeverHangs) {
    const auto started = Clock::now();
    auto service = std::make_unique<QtSpeechService>();
    const auto createdIn = Clock::now() - started;
    const auto voices = service->Voices();
    std::printf("engine \"%s\", %zu voices, available %d, created in %lld ms, problem \"%s\"\n",
                service->Engine().c_str(), voices.size(), service->Available() ? 1 : 0,
                static_cast<long long>(Milliseconds(createdIn)),
                service->Problem().c_str());

    if (service->Engine().empty()) {
        EXPECT_FALSE(service->Available());
        EXPECT_FALSE(service->Problem().empty());
        EXPECT_TRUE(voices.empty());
    }
    std::set<std::string> ids;
    for (const auto& voice : voices) {
        EXPECT_TRUE(ids.insert(voice.id).second) << voice.id;
        EXPECT_EQ(voice.id.rfind(service->Engine() + ":", 0), 0u) << voice.id;
        EXPECT_FALSE(voice.label.empty());
        // The locale is the one the id names, so voices can be sorted by language.
        EXPECT_NE(voice.id.find(":" + voice.locale + ":"), std::string::npos) << voice.id;
    }
    EXPECT_FALSE(service->UseVoice("no such engine:xx:no such voice"));
    if (!voices.empty()) {
        // A Czech voice when there is one, as the game's texts are Czech.
        auto chosen = voices.front();
        for (const auto& voice : voices) {
            if (voice.id.find(":cs") != std::string::npos) {
                chosen = voice;
                break;
            }
        }
        EXPECT_TRUE(service->UseVoice(chosen.id));
    }
    service->SetRate(0.0);
    service->SetPitch(0.0);
    service->SetVolume(1.0);

    service->Say("Hlas vybrán");
    // Spoken or not (no sound card, no server), the service's own limits end it.
    EXPECT_EQ(service->Speaking(), !service->Engine().empty());
    const auto said = Clock::now();
    EXPECT_TRUE(SpeakingEndsWithin(*service, 15s));
    std::printf("the text took %lld ms\n", static_cast<long long>(Milliseconds(Clock::now() - said)));

    service->Say("Začínáš");
    service->Stop();
    EXPECT_FALSE(service->Speaking());
    const bool availableAfterStop = service->Available();

    const auto ending = Clock::now();
    service.reset();
    EXPECT_LT(Clock::now() - ending, 5s);
    std::printf("still available after stopping: %s; ended in %lld ms\n", availableAfterStop ? "yes" : "no",
                static_cast<long long>(Milliseconds(Clock::now() - ending)));
}

// A server that takes the connection and never answers, as a speech-dispatcher caught
// in its own shutdown does: the speech library waits for it without end.
TEST_F(QtSpeechServiceTest, ASpeechServerThatNeverAnswersIsGivenUp) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = QDir(folder.path()).filePath(QStringLiteral("speechd.sock")).toStdString();
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    ScopedEnvironment server("SPEECHD_ADDRESS", "unix_socket:" + path);

    QtSpeechService::Limits limits;
    limits.start = 1s;
    const auto started = Clock::now();
    {
        QtSpeechService service({"speechd"}, limits);
        EXPECT_FALSE(service.Available());
        EXPECT_EQ(service.Engine(), "");
        EXPECT_NE(service.Problem().find("did not answer"), std::string::npos) << service.Problem();
        EXPECT_TRUE(service.Voices().empty());
        service.Say("Ahoj");
        EXPECT_FALSE(service.Speaking());
    }
    EXPECT_LT(Clock::now() - started, 4s);
    // The listener stays open: the speech library's thread, left behind, still reads
    // from it until the process ends.
}

TEST_F(QtSpeechServiceTest, NoServerToReachMeansNoService) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A socket in a folder that does not exist: nothing answers, nothing is started.
    ScopedEnvironment server("SPEECHD_ADDRESS",
                             "unix_socket:" + QDir(folder.path()).filePath(QStringLiteral("none/s")).toStdString());
    QtSpeechService service({"speechd"}, {});
    EXPECT_FALSE(service.Available());
    EXPECT_EQ(service.Engine(), "");
    EXPECT_FALSE(service.Problem().empty());
    EXPECT_FALSE(service.UseVoice("speechd:cs_CZ:Czech"));
    service.Say("Ahoj");
    EXPECT_FALSE(service.Speaking());
    service.Stop();
}

TEST_F(QtSpeechServiceTest, AnEngineQtDoesNotHaveIsNoService) {
    QtSpeechService service({"no such engine"}, {});
    EXPECT_FALSE(service.Available());
    EXPECT_EQ(service.Engine(), "");
    EXPECT_TRUE(service.Voices().empty());
    service.Say("Ahoj");
    EXPECT_FALSE(service.Speaking());
}

TEST_F(QtSpeechServiceTest, SpeechDispatcherComesFirst) {
    const auto engines = QtSpeechService::PreferredEngines();
    const auto speechd = std::find(engines.begin(), engines.end(), "speechd");
    const auto flite = std::find(engines.begin(), engines.end(), "flite");
    if (speechd != engines.end()) {
        EXPECT_EQ(speechd, engines.begin());
        if (flite != engines.end()) {
            EXPECT_LT(speechd, flite);
        }
    }
    EXPECT_EQ(std::set<std::string>(engines.begin(), engines.end()).size(), engines.size());
}

}  // namespace
}  // namespace tarvel
