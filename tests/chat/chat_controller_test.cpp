// The chat commands over the fake service and a real settings file: the voice command
// with its warning, choosing, adjusting and saving; the saved voice loaded for a
// network game; a received message read and printed.
#include "client/chat/chat_controller.h"

#include <QListWidget>
#include <QSlider>
#include <QtTest/QTest>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"
#include "tests/voice/fake_speech_service.h"
#include "client/chat/voice_dialog.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;
using testing::ActWhileShown;
using testing::Press;
using testing::PressAlt;

const ServiceVoice kKate{.id = "speechd:en_GB:Kate", .label = "Kate (English, speechd)", .locale = "en_GB"};
const ServiceVoice kAdam{.id = "speechd:cs_CZ:Adam", .label = "Adam (čeština, speechd)", .locale = "cs_CZ"};
const ServiceVoice kEva{.id = "speechd:cs_CZ:Eva", .label = "Eva (čeština, speechd)", .locale = "cs_CZ"};

const char kNotAllowed[] =
    "Používání hlasových zpráv není povoleno. Povolit jej můžete v menu volby/síťová nastavení.";

class ChatControllerTest : public testing::DialogTest {
  protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tarvel-chat-" + std::to_string(random()));
        fs::create_directories(folder_ / "game");
        path_ = folder_ / "game" / "tarvel.ini";
        settings_ = SettingsFile(path_);
        service_.voices = {kKate, kAdam, kEva};  // listed Adam, Eva, Kate
    }
    void TearDown() override {
        controller_.reset();
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    void Put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string Bytes() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    ChatController& Controller(std::int32_t language = kCzechLanguageBase) {
        localizer_.SetLanguageBase(language);
        controller_ = std::make_unique<ChatController>(
            &service_, settings_, localizer_, [this](const QString& text) { messages_ << text; }, nullptr);
        controller_->onVoiceReady = [this] { ++readyCalls_; };
        return *controller_;
    }
    QListWidget* List() { return controller_->VoiceSettingsDialog().findChild<QListWidget*>("voiceList"); }
    int SelectedRow() {
        const QList<QListWidgetItem*> selected = List()->selectedItems();
        return selected.isEmpty() ? -1 : List()->row(selected.front());
    }
    QSlider* Slider(const char* name) { return controller_->VoiceSettingsDialog().findChild<QSlider*>(name); }

    // Runs the voice command, doing `act` while its dialog is shown.
    void EditVoice(const std::function<void()>& act) {
        ActWhileShown(controller_->VoiceSettingsDialog(), act);
        controller_->EditVoice();
    }

    fs::path folder_;
    fs::path path_;
    testing::FakeSpeechService service_;
    SettingsFile settings_{fs::path()};
    Localizer localizer_{ClientStrings(), kCzechLanguageBase};
    std::unique_ptr<ChatController> controller_;
    QStringList messages_;
    int readyCalls_ = 0;
};

TEST_F(ChatControllerTest, NotAllowedWarnsInCzechInBothLanguagesAndListsNothing) {
    for (const std::int32_t language : {kCzechLanguageBase, kEnglishLanguageBase}) {
        SCOPED_TRACE(language);
        Put("[net]\r\nallowvoicechat=0\r\n[Voice]\r\nperson=speechd:cs_CZ:Adam\r\n");
        messages_.clear();
        ChatController& chat = Controller(language);
        int listed = -1;
        EditVoice([&] {
            listed = List()->count();
            Press(Qt::Key_Return);  // choosing from an empty list chooses nothing
        });
        EXPECT_EQ(messages_, QStringList{QString::fromUtf8(kNotAllowed)});
        EXPECT_EQ(listed, 0);
        EXPECT_FALSE(chat.VoiceReady());
        EXPECT_TRUE(service_.calls.empty());
        EXPECT_EQ(Bytes(), "[net]\r\nallowvoicechat=0\r\n[Voice]\r\nperson=speechd:cs_CZ:Adam\r\n");

        const ReceivedMessage received = chat.Receive("ahoj");
        EXPECT_FALSE(received.spoken);
        EXPECT_TRUE(service_.calls.empty());
        EXPECT_EQ(received.line, "ahoj" + QString(66, QLatin1Char(' ')));
    }
}

TEST_F(ChatControllerTest, ChoosingSpeaksInTheNewVoiceEnablesMessagesAndSavesIt) {
    Put("[net]\r\nallowvoicechat=1\r\n");
    ChatController& chat = Controller();
    EditVoice([&] {
        Press(Qt::Key_Down);  // Eva
        Press(Qt::Key_Return);
    });
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kEva.id, "say:Hlas vybrán", "rate", "pitch", "volume"}));
    EXPECT_TRUE(chat.VoiceReady());
    EXPECT_EQ(readyCalls_, 1);
    EXPECT_EQ(settings_.LoadVoice(), (VoiceSettings{kEva.id, 0, 0, 255}));
}

TEST_F(ChatControllerTest, SlidersMovedAfterAChoiceAreSpokenAndSavedOnClose) {
    Put("[net]\r\nallowvoicechat=1\r\n[Voice]\r\nperson=speechd:cs_CZ:Adam\r\npitch=2\r\n");
    ChatController& chat = Controller();
    bool enabled = false;
    int selected = -1;
    EditVoice([&] {
        enabled = Slider("volumetb")->isEnabled();
        selected = SelectedRow();
        service_.calls.clear();
        PressAlt(Qt::Key_S);
        Press(Qt::Key_Left);
        Press(Qt::Key_Escape);
    });
    EXPECT_TRUE(enabled);  // the loaded voice is ready
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(service_.calls, (Calls{"stop", "volume", "voice:" + kAdam.id, "say:254"}));
    EXPECT_EQ(settings_.LoadVoice(), (VoiceSettings{kAdam.id, 2, 0, 254}));
    EXPECT_TRUE(chat.VoiceReady());
}

TEST_F(ChatControllerTest, ClosingWithoutEverChoosingSavesNothing) {
    Put("[net]\r\nallowvoicechat=1\r\n");
    ChatController& chat = Controller();
    EditVoice([&] { Press(Qt::Key_Escape); });
    EXPECT_FALSE(chat.VoiceReady());
    EXPECT_EQ(Bytes(), "[net]\r\nallowvoicechat=1\r\n");
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ChatControllerTest, ASavedVoiceThatIsGoneSelectsNothingAndShowsNoMessage) {
    const std::string file =
        "[net]\r\nallowvoicechat=1\r\n[Voice]\r\nperson=speechd:cs_CZ:Gone\r\nvolume=100\r\n";
    Put(file);
    ChatController& chat = Controller();
    int selected = -2;
    bool enabled = true;
    EditVoice([&] {
        selected = SelectedRow();
        enabled = Slider("pitchtb")->isEnabled();
        Press(Qt::Key_Return);  // choose with nothing selected
    });
    EXPECT_EQ(selected, -1);
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(chat.VoiceReady());
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_TRUE(service_.calls.empty());
    EXPECT_EQ(Bytes(), file);
    EXPECT_FALSE(chat.Receive("ahoj").spoken);
}

TEST_F(ChatControllerTest, TheSavedVoiceIsLoadedForANetworkGame) {
    Put("[net]\r\nallowvoicechat=1\r\n[Voice]\r\nperson=speechd:en_GB:Kate\r\npitch=-4\r\nspeed=6\r\nvolume="
        "128\r\n");
    ChatController& chat = Controller();
    chat.LoadVoiceSettings();
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kKate.id, "say:Hlas vybrán", "rate", "pitch", "volume",
                                     "stop", "pitch", "stop", "rate", "stop", "volume"}));
    EXPECT_TRUE(chat.VoiceReady());
    EXPECT_EQ(readyCalls_, 1);
    EXPECT_DOUBLE_EQ(service_.pitch, -0.4);
    EXPECT_DOUBLE_EQ(service_.rate, 0.6);
    EXPECT_DOUBLE_EQ(service_.volume, 128.0 / 255.0);

    service_.calls.clear();
    const ReceivedMessage received = chat.Receive("ahoj\r\nsendcard");
    EXPECT_TRUE(received.spoken);
    EXPECT_EQ(service_.calls, (Calls{"voice:" + kKate.id, "say:ahoj  sendcard"}));
    EXPECT_EQ(received.line, "ahoj  sendcard" + QString(56, QLatin1Char(' ')));
    EXPECT_EQ(received.announcement, "Zpráva soupeře: ahoj  sendcard");
}

TEST_F(ChatControllerTest, AllowedWithoutVoicesSaysWhy) {
    struct Case {
        const char* what;
        const char* atStart;
        std::vector<ServiceVoice> voices;
        int message;
    };
    const std::vector<Case> cases = {
        {"a service without voices", "1", {}, 153},
        {"allowed only since the start", "0", {kAdam}, 93},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        service_.voices = c.voices;
        Put(std::string("[net]\r\nallowvoicechat=") + c.atStart + "\r\n");
        ChatController& chat = Controller();
        Put("[net]\r\nallowvoicechat=1\r\n");
        messages_.clear();
        EditVoice([&] { Press(Qt::Key_Escape); });
        EXPECT_EQ(messages_, QStringList{testing::Text(kCzechLanguageBase, c.message)});
        EXPECT_FALSE(chat.VoiceReady());
    }
}

TEST_F(ChatControllerTest, ASettingsFileThatCannotBeWrittenIsReported) {
    Put("[net]\r\nallowvoicechat=1\r\n");
    ChatController& chat = Controller();
    EditVoice([&] {
        // The folder becomes a file while the dialog is open.
        fs::remove_all(folder_ / "game");
        std::ofstream(folder_ / "game") << "not a folder";
        Press(Qt::Key_Return);
    });
    EXPECT_TRUE(chat.VoiceReady());
    EXPECT_EQ(messages_, QStringList{QString::fromStdString("Unable to write to " + path_.string())});
}

TEST_F(ChatControllerTest, AMessageArrivingWhileTheServiceSpeaksIsReadAfterIt) {
    Put("[net]\r\nallowvoicechat=1\r\n[Voice]\r\nperson=speechd:cs_CZ:Eva\r\n");
    ChatController& chat = Controller();
    chat.LoadVoiceSettings();
    service_.speakingPolls = -1;
    service_.Say("the game speaking");
    service_.calls.clear();
    EXPECT_TRUE(chat.Receive("hned").spoken);
    EXPECT_TRUE(service_.calls.empty());
    service_.speakingPolls = 0;
    service_.Stop();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !service_.calls.empty() && service_.calls.back() == "say:hned"; }));
    EXPECT_FALSE(chat.Voice().HasPending());
}

}  // namespace
}  // namespace tarvel
