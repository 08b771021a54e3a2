// The main menu: every item with its caption from the string table (accelerators as
// written there) and its fixed shortcut. The window connects the items to its commands.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "common/string_table.h"

namespace tarvel {

struct MainMenu {
    QMenu* gameMenu = nullptr;
    QAction* newGame = nullptr;
    QAction* newNetworkGame = nullptr;
    QAction* messageToOpponent = nullptr;
    QAction* endMatch = nullptr;
    QAction* quit = nullptr;

    QMenu* sayMenu = nullptr;  // the Say submenu
    QAction* saySelectedCard = nullptr;
    QAction* saySelectedValue = nullptr;
    QAction* sayAllCards = nullptr;
    QAction* sayPileCard = nullptr;
    QAction* sayGameNumber = nullptr;
    QAction* sayPlayerWins = nullptr;
    QAction* sayOpponentWins = nullptr;
    QAction* sayPlayerPoints = nullptr;
    QAction* sayPlayerTableScore = nullptr;
    QAction* sayOpponentPoints = nullptr;
    QAction* sayOpponentCount = nullptr;
    QAction* sayPlayerCount = nullptr;

    QMenu* optionsMenu = nullptr;
    QAction* sounds = nullptr;
    QAction* sayDrawnCards = nullptr;
    QAction* scoreTable = nullptr;
    QMenu* settingsMenu = nullptr;
    QAction* gameSettings = nullptr;
    QAction* environmentSettings = nullptr;
    QAction* messageVoiceSettings = nullptr;
    QAction* networkSettings = nullptr;

    // The history of the match: hearing again what was said.
    QMenu* historyMenu = nullptr;
    QAction* repeatOpponent = nullptr;
    QAction* previousAnnouncement = nullptr;
    QAction* nextAnnouncement = nullptr;
    QAction* historyWindow = nullptr;

    QMenu* helpMenu = nullptr;
    QAction* instructions = nullptr;
    QAction* about = nullptr;

    // The items of the Say submenu, whose shortcuts go with the submenu's enabling.
    QList<QAction*> SayItems() const;
};

MainMenu BuildMainMenu(QMenuBar& bar, const Localizer& texts);

}  // namespace tarvel
