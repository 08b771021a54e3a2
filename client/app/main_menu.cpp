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
    return {vybrankarta1, h1, Vechnykar1, Kartanahromdce1, Kterhra1, Tvojevhry1, Mojevhry1,
            tvojebody1, Tvojebodydotabulky1, Mojebody1, P1, Poettvchkaret1};
}

MainMenu BuildMainMenu(QMenuBar& bar, const Localizer& texts) {
    MainMenu m;
    m.Hra1 = Menu(bar, texts, 2, "Hra1");
    m.Novhra1 = Item(m.Hra1, texts, 3, "Novhra1", Qt::CTRL | Qt::Key_N);
    m.Novsovhra1 = Item(m.Hra1, texts, 98, "Novsovhra1", Qt::CTRL | Qt::Key_I);
    m.Polizprvusoupei1 = Item(m.Hra1, texts, 99, "Polizprvusoupei1", Qt::CTRL | Qt::Key_M);
    m.Ukonenhry1 = Item(m.Hra1, texts, 4, "Ukonenhry1", Qt::CTRL | Qt::Key_F4);
    m.Hra1->addSeparator();
    m.Konecprogramu1 = Item(m.Hra1, texts, 5, "Konecprogramu1");

    m.ekni1 = Menu(bar, texts, 6, "ekni1");
    m.vybrankarta1 = Item(m.ekni1, texts, 7, "vybrankarta1", Qt::Key_F2);
    m.h1 = Item(m.ekni1, texts, 8, "h1", Qt::SHIFT | Qt::Key_F2);
    m.Vechnykar1 = Item(m.ekni1, texts, 10, "Vechnykar1", Qt::CTRL | Qt::Key_F2);
    m.Kartanahromdce1 = Item(m.ekni1, texts, 9, "Kartanahromdce1", Qt::Key_F3);
    m.Kterhra1 = Item(m.ekni1, texts, 11, "Kterhra1", Qt::Key_F4);
    m.Tvojevhry1 = Item(m.ekni1, texts, 12, "Tvojevhry1", Qt::Key_F5);
    m.Mojevhry1 = Item(m.ekni1, texts, 13, "Mojevhry1", Qt::Key_F6);
    m.tvojebody1 = Item(m.ekni1, texts, 14, "tvojebody1", Qt::Key_F7);
    m.Tvojebodydotabulky1 = Item(m.ekni1, texts, 88, "Tvojebodydotabulky1", Qt::SHIFT | Qt::Key_F7);
    m.Mojebody1 = Item(m.ekni1, texts, 15, "Mojebody1", Qt::Key_F8);
    m.P1 = Item(m.ekni1, texts, 16, "P1", Qt::Key_F9);
    m.Poettvchkaret1 = Item(m.ekni1, texts, 17, "Poettvchkaret1", Qt::SHIFT | Qt::Key_F9);

    m.Volby1 = Menu(bar, texts, 18, "Volby1");
    m.Zvuky1 = Item(m.Volby1, texts, 19, "Zvuky1", Qt::CTRL | Qt::Key_Z);
    m.Zvuky1->setCheckable(true);
    m.katlzankarty1 = Item(m.Volby1, texts, 20, "katlzankarty1", Qt::CTRL | Qt::Key_L);
    m.katlzankarty1->setCheckable(true);
    m.Tabulka1 = Item(m.Volby1, texts, 86, "Tabulka1", Qt::CTRL | Qt::Key_T);
    m.Nastaven1 = Submenu(m.Volby1, texts, 49, "Nastaven1");
    m.Nastavenhry1 = Item(m.Nastaven1, texts, 22, "Nastavenhry1", Qt::CTRL | Qt::Key_S);
    m.Nastavenprosted1 = Item(m.Nastaven1, texts, 97, "Nastavenprosted1", Qt::CTRL | Qt::Key_E);
    m.Nastavenhlasuprozprvy1 = Item(m.Nastaven1, texts, 96, "Nastavenhlasuprozprvy1", Qt::CTRL | Qt::Key_H);
    m.Sovnastaven1 = Item(m.Nastaven1, texts, 95, "Sovnastaven1");

    m.Historie1 = Menu(bar, texts, text::kHistoryMenu, "Historie1");
    m.Zopakujsoupere1 = Item(m.Historie1, texts, text::kRepeatOpponent, "Zopakujsoupere1", Qt::CTRL | Qt::Key_R);
    m.Predchozihlaseni1 = Item(m.Historie1, texts, text::kPreviousAnnouncement, "Predchozihlaseni1", Qt::Key_PageUp);
    m.Dalsihlaseni1 = Item(m.Historie1, texts, text::kNextAnnouncement, "Dalsihlaseni1", Qt::Key_PageDown);
    m.Oknohistorie1 = Item(m.Historie1, texts, text::kHistoryWindow, "Oknohistorie1", Qt::CTRL | Qt::Key_G);

    m.Npovda1 = Menu(bar, texts, 23, "Npovda1");
    m.Nvod1 = Item(m.Npovda1, texts, 24, "Nvod1", Qt::Key_F1);
    m.Oprogramu1 = Item(m.Npovda1, texts, 26, "Oprogramu1");
    return m;
}

}  // namespace tarvel
