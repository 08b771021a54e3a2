// Scripted clients for the server: what each client sends, what it must receive and
// which log lines each step must add. The same scripts run against the game logic
// over fake connections and against the real listener over loopback.
#pragma once

#include <string>
#include <vector>

namespace tarvel::server::testing {

using Lines = std::vector<std::string>;

struct ScriptStep {
    enum class Kind { Connect, Disconnect, Send, Expect, ExpectClosed };
    Kind kind;
    int client;
    Lines messages;  // Send: in one write, each with its terminator; Expect: exactly these, in order
    Lines log;       // the log lines this step adds, " přes port N" written as " přes port P"
};

struct Script {
    std::string name;
    std::vector<ScriptStep> steps;
};

// The deal comes from a source that always answers 0: the stock is the deck in
// deck order with the last card (the ace of clubs) on top, and player 0 begins.
std::vector<Script> AllScripts();

// The ten "info" messages and "infosettings" N " done" of a player whose rules agree
// with every other player's of these scripts.
Lines SettingsMessages(int player, const std::string& name, const std::string& gender);

// The log with every " přes port <digits>" written as " přes port P".
std::string WithoutPortNumber(const std::string& line);

}  // namespace tarvel::server::testing
