// The server's settings file tarvelsvr.ini in the program's folder.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace tarvel::server {

struct ServerSettings {
    int port = 1412;
    bool connectAtStartup = true;
    int language = 1000;
    int tables = 1;  // pairs that play at once
    // Seconds a player who lost the connection during a match has to come back; 0: none.
    int reconnectWait = 60;
    bool checkMoves = true;  // moves the rules refuse are not relayed
    // Seconds a match waits for a silent player before he counts as lost; 0: for ever.
    int idleWait = 600;
    // Connections from one address at once (a family shares one), and in all; 0 in all:
    // as many as the open-files limit leaves room for.
    int connectionsPerAddress = 16;
    int connections = 0;
    // Addresses counted only in all, never per address nor paused (tarvelweb's).
    std::vector<std::string> trustedAddresses{};
};

// The longest wait for a silent player: a day.
inline constexpr int kLongestIdleWait = 86400;

// The longest wait for a lost player: an hour.
inline constexpr int kLongestReconnectWait = 3600;

// The most tables a server takes: far more than one machine's connections carry.
inline constexpr int kMostTables = 100000;

// A missing file, a missing key or a value that is not a decimal integer gives the
// default; for the yes/no key any non-zero integer means yes. A number of tables
// below 1 counts as 1, above kMostTables as kMostTables; a wait for a lost player is
// kept within 0 .. kLongestReconnectWait.
ServerSettings ReadServerSettings(const QString& iniPath);
// Both writers throw ProfileWriteError when the file cannot be written.
// Writes the keys of the server settings dialog ("server": "port", "connectatstartup",
// "tables" when it is not 1 and "reconnectwait" when it is not 60, each also when the file
// has it already, so a file written before them stays as it was).
void WriteConnectionSettings(const QString& iniPath, const ServerSettings& settings);
// Writes the key of the language dialog ("environment": "language").
void WriteLanguageSetting(const QString& iniPath, int language);

}  // namespace tarvel::server
