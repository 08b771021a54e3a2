// The voice dialog driven by keys: its captions in both languages, what it shows at
// opening, what choosing and closing give back, and the sliders' moves it hands on.
#include "client/chat/voice_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <memory>
#include <utility>
#include <vector>

#include "session/texts/client_strings.h"
#include "tests/dialogs/dialog_test_support.h"

namespace tarvel {
namespace {

using testing::AccessibleName;
using testing::ActWhileShown;
using testing::FocusWidget;
using testing::Press;
using testing::PressAlt;
using testing::Text;

const std::vector<ServiceVoice> kVoices = {
    {.id = "speechd:cs_CZ:Adam", .label = "Adam (čeština, speechd)", .locale = "cs_CZ"},
    {.id = "speechd:cs_CZ:Eva", .label = "Eva (čeština, speechd)", .locale = "cs_CZ"},
    {.id = "speechd:en_GB:Kate", .label = "Kate (English, speechd)", .locale = "en_GB"},
};

class VoiceDialogTest : public testing::DialogTest {
  protected:
    VoiceDialogTest() {
        dialog_.onSliderMoved = [this](VoiceSlider slider, int position) {
            moves_.emplace_back(slider, position);
        };
    }

    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = dialog_.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QListWidget* List() { return Find<QListWidget>("voiceList"); }
    QSlider* Slider(const char* name) { return Find<QSlider>(name); }
    int SelectedRow() {
        const QList<QListWidgetItem*> selected = List()->selectedItems();
        return selected.isEmpty() ? -1 : List()->row(selected.front());
    }

    Localizer localizer_{ClientStrings(), kCzechLanguageBase};
    VoiceDialog dialog_{localizer_, kVoices};
    std::vector<std::pair<VoiceSlider, int>> moves_;
};

TEST_F(VoiceDialogTest, CaptionsComeInTheLanguageOfCreationAndNameTheControls) {
    for (const std::int32_t base : {kCzechLanguageBase, kEnglishLanguageBase}) {
        SCOPED_TRACE(base);
        const Localizer localizer(ClientStrings(), base);
        VoiceDialog dialog(localizer, kVoices);
        EXPECT_EQ(dialog.objectName(), "voiceDialog");
        EXPECT_EQ(dialog.windowTitle(), Text(base, 105));
        const std::pair<const char*, int> labels[] = {
            {"voiceLabel", 106}, {"pitchLabel", 107}, {"speedLabel", 108}, {"volumeLabel", 109}};
        for (const auto& [name, index] : labels) {
            auto* label = dialog.findChild<QLabel*>(name);
            ASSERT_NE(label, nullptr) << name;
            EXPECT_EQ(label->text(), Text(base, index));
            // A screen reader names the control under the label by it.
            EXPECT_EQ(AccessibleName(label->buddy()), QString(Text(base, index)).remove(QLatin1Char('&')));
        }
        EXPECT_EQ(dialog.findChild<QPushButton*>("chooseVoiceButton")->text(), Text(base, 111));
        EXPECT_EQ(dialog.findChild<QPushButton*>("closeButton")->text(), Text(base, 87));
    }
}

TEST_F(VoiceDialogTest, ListsTheVoicesAndStartsWithTheSlidersDisabledInTheirRanges) {
    ASSERT_EQ(List()->count(), 3);
    EXPECT_EQ(List()->item(1)->text(), "Eva (čeština, speechd)");
    EXPECT_EQ(List()->currentRow(), 0);
    const std::pair<const char*, std::pair<int, int>> ranges[] = {
        {"pitchtb", {-10, 10}}, {"speedtb", {-10, 10}}, {"volumetb", {0, 255}}};
    for (const auto& [name, range] : ranges) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Slider(name)->isEnabled());
        EXPECT_EQ(std::pair(Slider(name)->minimum(), Slider(name)->maximum()), range);
    }
    EXPECT_FALSE(Find<QLabel>("volumeLabel")->isEnabled());
}

TEST_F(VoiceDialogTest, ChoosingGivesTheSelectedEntryAndClosingNothing) {
    struct Case {
        const char* what;
        std::optional<std::size_t> shown;
        std::vector<Qt::Key> keys;
        std::optional<std::size_t> chosen;
        std::optional<std::size_t> leftSelected;
    };
    const std::vector<Case> cases = {
        {"Enter on the shown entry", 0, {Qt::Key_Return}, 0, 0},
        {"one down", 0, {Qt::Key_Down, Qt::Key_Return}, 1, 1},
        {"the last", 1, {Qt::Key_End, Qt::Key_Return}, 2, 2},
        {"Escape", 0, {Qt::Key_Down, Qt::Key_Escape}, std::nullopt, 1},
        {"nothing selected", std::nullopt, {Qt::Key_Return}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget* focus = nullptr;
        int rowAtOpening = -2;
        ActWhileShown(dialog_, [&] {
            focus = FocusWidget();
            rowAtOpening = SelectedRow();
            for (Qt::Key key : c.keys) Press(key);
        });
        EXPECT_EQ(dialog_.Edit({.selected = c.shown}), c.chosen);
        EXPECT_EQ(focus, List());
        EXPECT_EQ(rowAtOpening, c.shown ? static_cast<int>(*c.shown) : -1);
        EXPECT_EQ(dialog_.SelectedEntry(), c.leftSelected);
    }
}

TEST_F(VoiceDialogTest, ShowingPositionsMovesNothingAndEveryKeyMoveIsHandedOn) {
    std::vector<int> shown;
    ActWhileShown(dialog_, [&] {
        shown = {Slider("pitchtb")->value(), Slider("speedtb")->value(), Slider("volumetb")->value()};
        PressAlt(Qt::Key_S);  // Hla&sitost
        EXPECT_EQ(FocusWidget(), Slider("volumetb"));
        Press(Qt::Key_Left);
        Press(Qt::Key_Home);
        PressAlt(Qt::Key_R);  // &Rychlost
        Press(Qt::Key_Right);
        Press(Qt::Key_Escape);
    });
    dialog_.Edit({.selected = 0, .pitch = -3, .speed = 4, .volume = 200, .slidersEnabled = true});
    EXPECT_EQ(shown, (std::vector<int>{-3, 4, 200}));
    EXPECT_EQ(moves_, (std::vector<std::pair<VoiceSlider, int>>{
                          {VoiceSlider::Volume, 199}, {VoiceSlider::Volume, 0}, {VoiceSlider::Speed, 5}}));
}

}  // namespace
}  // namespace tarvel
