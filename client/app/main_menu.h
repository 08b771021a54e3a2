// The main menu: every item with its caption from the string table (accelerators as
// written there) and its fixed shortcut. The window connects the items to its commands.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "common/string_table.h"

namespace tarvel {

struct MainMenu {
    QMenu* Hra1 = nullptr;
    QAction* Novhra1 = nullptr;
    QAction* Novsovhra1 = nullptr;
    QAction* Polizprvusoupei1 = nullptr;
    QAction* Ukonenhry1 = nullptr;
    QAction* Konecprogramu1 = nullptr;

    QMenu* ekni1 = nullptr;  // the Say submenu
    QAction* vybrankarta1 = nullptr;
    QAction* h1 = nullptr;
    QAction* Vechnykar1 = nullptr;
    QAction* Kartanahromdce1 = nullptr;
    QAction* Kterhra1 = nullptr;
    QAction* Tvojevhry1 = nullptr;
    QAction* Mojevhry1 = nullptr;
    QAction* tvojebody1 = nullptr;
    QAction* Tvojebodydotabulky1 = nullptr;
    QAction* Mojebody1 = nullptr;
    QAction* P1 = nullptr;
    QAction* Poettvchkaret1 = nullptr;

    QMenu* Volby1 = nullptr;
    QAction* Zvuky1 = nullptr;
    QAction* katlzankarty1 = nullptr;
    QAction* Tabulka1 = nullptr;
    QMenu* Nastaven1 = nullptr;
    QAction* Nastavenhry1 = nullptr;
    QAction* Nastavenprosted1 = nullptr;
    QAction* Nastavenhlasuprozprvy1 = nullptr;
    QAction* Sovnastaven1 = nullptr;

    // The history of the match: hearing again what was said.
    QMenu* Historie1 = nullptr;
    QAction* Zopakujsoupere1 = nullptr;
    QAction* Predchozihlaseni1 = nullptr;
    QAction* Dalsihlaseni1 = nullptr;
    QAction* Oknohistorie1 = nullptr;

    QMenu* Npovda1 = nullptr;
    QAction* Nvod1 = nullptr;
    QAction* Oprogramu1 = nullptr;

    // The items of the Say submenu, whose shortcuts go with the submenu's enabling.
    QList<QAction*> SayItems() const;
};

MainMenu BuildMainMenu(QMenuBar& bar, const Localizer& texts);

}  // namespace tarvel
