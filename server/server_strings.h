// The server's own string table: window, menu and dialog captions in Czech (base
// 1000) and English (base 2000). The log stays Czech whatever the language.
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "common/string_table.h"

namespace tarvel::server {

// Indices into the table.
enum ServerTextIndex : int {
    kTextLanguageName = 0,
    kTextProduct = 1,
    kTextLanguageDialogCaption = 2,
    kTextLanguageGroup = 3,
    kTextOk = 4,
    kTextCancel = 5,
    kTextActivate = 6,
    kTextDeactivate = 7,
    kTextSettingsButton = 8,
    kTextSettingsDialogCaption = 9,
    kTextPortLabel = 10,
    kTextConnectAtStartup = 11,
    kTextRestartNotice = 12,
    kTextServerMenu = 13,
    kTextEnvironmentCommand = 14,
    kTextQuitCommand = 15,
    kTextHelpMenu = 16,
    kTextInstructionsCommand = 17,
    kTextAboutCommand = 18,
    kTextAboutCaption = 19,
    kTextVersionWord = 20,
    kTextNotAPortNumber = 21,  // the port field's refusal; "%1" is what the field holds
    kTextTablesLabel = 22,
    kTextNotATableCount = 23,  // the tables field's refusal; "%1" what it holds, "%2" the most
    kTextTablesList = 24,      // the label of the list of tables in the window
    kTextTableFree = 25,       // a table's states in that list
    kTextTableWaiting = 26,
    kTextTableSettings = 27,
    kTextTableReady = 28,
    kTextTablePlaying = 29,
    kTextTable = 30,      // "%1" the table's number
    kTextPlayer = 31,     // "%1" the player's number, "%2" who it is
    kTextNoTables = 32,   // the list when no table is taken
    kTextReconnectWaitLabel = 33,
    kTextNotAReconnectWait = 34,  // the wait field's refusal; "%1" what it holds, "%2" the most
};

// The text of entry base + index; empty when the table has no such entry.
QString ServerText(int languageBase, int index);

// The languages of the table in id order: their own names and their bases.
std::vector<std::pair<QString, int>> ServerLanguages();

}  // namespace tarvel::server
