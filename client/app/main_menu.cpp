#include "client/app/main_menu.h"

#include "session/texts/client_texts.h"

namespace tarvel {
namespace {

QString Text(const Localizer& texts, int index) {
    return QString::fromStdString(texts.LocalizedText(index));
}

QAction* Item(QMenu* menu, const Localizer& texts, int index, const char* name, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(Text(texts, index));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The shortcuts work wherever the focus is in the main window.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    return action;
}

QMenu* Menu(QMenuBar& bar, const Localizer& texts, int index, const char* name) {
    QMenu* menu = bar.addMenu(Text(texts, index));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* Submenu(QMenu* parent, const Localizer& texts, int index, const char* name) {
    QMenu* menu = parent->addMenu(Text(texts, index));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

}  // namespace

QList<QAction*> MainMenu::SayItems() const {
    return {saySelectedCard, saySelectedValue, sayAllCards, sayPileCard, sayGameNumber, sayPlayerWins, sayOpponentWins,
            sayPlayerPoints, sayPlayerTableScore, sayOpponentPoints, sayOpponentCount, sayPlayerCount};
}

MainMenu BuildMainMenu(QMenuBar& bar, const Localizer& texts) {
    MainMenu m;
    m.gameMenu = Menu(bar, texts, 2, "gameMenu");
    m.newGame = Item(m.gameMenu, texts, 3, "newGame", Qt::CTRL | Qt::Key_N);
    m.newNetworkGame = Item(m.gameMenu, texts, 98, "newNetworkGame", Qt::CTRL | Qt::Key_I);
    m.messageToOpponent = Item(m.gameMenu, texts, 99, "messageToOpponent", Qt::CTRL | Qt::Key_M);
    m.endMatch = Item(m.gameMenu, texts, 4, "endMatch", Qt::CTRL | Qt::Key_F4);
    m.gameMenu->addSeparator();
    m.quit = Item(m.gameMenu, texts, 5, "quit");

    m.sayMenu = Menu(bar, texts, 6, "sayMenu");
    m.saySelectedCard = Item(m.sayMenu, texts, 7, "saySelectedCard", Qt::Key_F2);
    m.saySelectedValue = Item(m.sayMenu, texts, 8, "saySelectedValue", Qt::SHIFT | Qt::Key_F2);
    m.sayAllCards = Item(m.sayMenu, texts, 10, "sayAllCards", Qt::CTRL | Qt::Key_F2);
    m.sayPileCard = Item(m.sayMenu, texts, 9, "sayPileCard", Qt::Key_F3);
    m.sayGameNumber = Item(m.sayMenu, texts, 11, "sayGameNumber", Qt::Key_F4);
    m.sayPlayerWins = Item(m.sayMenu, texts, 12, "sayPlayerWins", Qt::Key_F5);
    m.sayOpponentWins = Item(m.sayMenu, texts, 13, "sayOpponentWins", Qt::Key_F6);
    m.sayPlayerPoints = Item(m.sayMenu, texts, 14, "sayPlayerPoints", Qt::Key_F7);
    m.sayPlayerTableScore = Item(m.sayMenu, texts, 88, "sayPlayerTableScore", Qt::SHIFT | Qt::Key_F7);
    m.sayOpponentPoints = Item(m.sayMenu, texts, 15, "sayOpponentPoints", Qt::Key_F8);
    m.sayOpponentCount = Item(m.sayMenu, texts, 16, "sayOpponentCount", Qt::Key_F9);
    m.sayPlayerCount = Item(m.sayMenu, texts, 17, "sayPlayerCount", Qt::SHIFT | Qt::Key_F9);

    m.optionsMenu = Menu(bar, texts, 18, "optionsMenu");
    m.sounds = Item(m.optionsMenu, texts, 19, "sounds", Qt::CTRL | Qt::Key_Z);
    m.sounds->setCheckable(true);
    m.sayDrawnCards = Item(m.optionsMenu, texts, 20, "sayDrawnCards", Qt::CTRL | Qt::Key_L);
    m.sayDrawnCards->setCheckable(true);
    m.scoreTable = Item(m.optionsMenu, texts, 86, "scoreTable", Qt::CTRL | Qt::Key_T);
    m.settingsMenu = Submenu(m.optionsMenu, texts, 49, "settingsMenu");
    m.gameSettings = Item(m.settingsMenu, texts, 22, "gameSettings", Qt::CTRL | Qt::Key_S);
    m.environmentSettings = Item(m.settingsMenu, texts, 97, "environmentSettings", Qt::CTRL | Qt::Key_E);
    m.messageVoiceSettings = Item(m.settingsMenu, texts, 96, "messageVoiceSettings", Qt::CTRL | Qt::Key_H);
    m.networkSettings = Item(m.settingsMenu, texts, 95, "networkSettings");

    m.historyMenu = Menu(bar, texts, text::kHistoryMenu, "historyMenu");
    m.repeatOpponent = Item(m.historyMenu, texts, text::kRepeatOpponent, "repeatOpponent", Qt::CTRL | Qt::Key_R);
    m.previousAnnouncement =
        Item(m.historyMenu, texts, text::kPreviousAnnouncement, "previousAnnouncement", Qt::Key_PageUp);
    m.nextAnnouncement = Item(m.historyMenu, texts, text::kNextAnnouncement, "nextAnnouncement", Qt::Key_PageDown);
    m.historyWindow = Item(m.historyMenu, texts, text::kHistoryWindow, "historyWindow", Qt::CTRL | Qt::Key_G);

    m.helpMenu = Menu(bar, texts, 23, "helpMenu");
    m.instructions = Item(m.helpMenu, texts, 24, "instructions", Qt::Key_F1);
    m.about = Item(m.helpMenu, texts, 26, "about");
    return m;
}

}  // namespace tarvel
