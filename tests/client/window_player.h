// A player at a real window in the test's process, played by key presses: its game folder,
// its settings and the sound log of what it hears. The network tests seat such players at
// the real server program, against each other or against a page.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/app/main_window.h"
#include "common/cp1250.h"
#include "tests/client/game_folder.h"

namespace tarvel::testing {

using Lines = std::vector<std::string>;

// How many of the sounds heard have `part` in their file names.
inline int Heard(const std::vector<std::string>& log, std::string_view part) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    }));
}

// Card names the player heard in the opponent's voice, each followed by the throw.
inline int CardsHeardFromOpponent(const Lines& log, const std::string& voice) {
    int heard = 0;
    for (std::size_t i = 0; i + 1 < log.size(); ++i) {
        if (log[i].starts_with("zvuky/" + voice) && log[i + 1].starts_with("zvuky/vyhozeni")) ++heard;
    }
    return heard;
}

// One player: a game folder, its settings and its window.
struct Player {
    Player(quint16 port, const std::string& gender, const std::string& name)
        : Player("ipaddress=127.0.0.1\nport=" + std::to_string(port) + "\n", gender, name) {}
    // `net` is the settings file's network section; `adjust` changes the window's setup;
    // `game` more lines of the game section (the rules of the match). The file is written
    // in the game's code page, as the game writes it.
    Player(const std::string& net, const std::string& gender, const std::string& name,
           const std::function<void(ClientSetup&, const GameFolder&)>& adjust = {},
           const std::string& game = "numberofgames=2\nplayforpoints=1\n") {
        folder.WriteSettings(Utf8ToCp1250("[game]\n" + game + "playergender=" + gender + "\n[net]\n" + net));
        ClientSetup setup = folder.Setup(3, messages);
        setup.userName = [name] { return name; };
        if (adjust) adjust(setup, folder);
        window = std::make_unique<MainWindow>(std::move(setup));
        window->resize(800, 560);
        window->show();
    }
    Engine& engine() { return window->GameEngine(); }
    // In a network match that has been dealt and waits for nobody.
    bool Dealt() {
        return engine().Net().active && engine().State().running &&
               engine().Net().waiting == NetworkWait::None;
    }
    // Where this player's game stands, for a match that stood still.
    std::string Describe() {
        const GameState& s = engine().State();
        const NetworkGame& n = engine().Net();
        return "running " + std::to_string(s.running) + ", turn " + std::to_string(s.PlayerTurn()) +
               ", suit choice " + std::to_string(s.SuitChoiceActive()) + ", waiting " +
               std::to_string(static_cast<int>(n.waiting)) + ", awaiting cards " +
               std::to_string(n.awaitingCards) + ", opponent away " + std::to_string(n.opponentAway) +
               ", cards " + std::to_string(s.playerHand.size()) + " and " + std::to_string(s.opponentCount);
    }
    void Press(Qt::Key key) { QTest::keyClick(&window->Table(), key); }

    // One move by keys when it is this player's turn; false when there is none to make.
    bool Move() {
        GameState& state = engine().State();
        if (!state.running || !state.PlayerTurn() || engine().Net().waiting != NetworkWait::None)
            return false;
        if (state.SuitChoiceActive()) {
            Press(Qt::Key_Home);
            Press(Qt::Key_Return);
            return true;
        }
        for (std::size_t i = 1; i <= state.playerHand.size(); ++i) {
            Press(Qt::Key_Home);
            for (std::size_t step = 1; step < i; ++step) Press(Qt::Key_Right);
            Press(Qt::Key_Return);
            if (!state.PlayerTurn() || state.SuitChoiceActive() || !state.running) return true;
        }
        Press(Qt::Key_Space);
        return true;
    }

    // Writes a message to the opponent as a player does: the menu's command, the words
    // typed into its dialog, Enter.
    void WriteMessage(const QString& words) {
        QTimer::singleShot(0, [words] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            // Letters beyond ASCII come as a keyboard layout gives them: a key with its text.
            for (const QChar letter : words) {
                if (letter.unicode() < 0x80) {
                    QTest::keyClick(dialog->focusWidget(), letter.toLatin1());
                } else {
                    QTest::sendKeyEvent(QTest::Click, dialog->focusWidget(), Qt::Key_unknown, QString(letter),
                                        Qt::NoModifier);
                }
            }
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        });
        window->Menu().messageToOpponent->trigger();
    }

    std::vector<QString> messages;
    GameFolder folder;
    SoundLog sounds{folder.LogPath()};
    std::unique_ptr<MainWindow> window;
};

}  // namespace tarvel::testing
