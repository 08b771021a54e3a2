#include "server/server_settings.h"

#include <algorithm>
#include <filesystem>

#include <QRegularExpression>

#include "common/profile_file.h"

namespace tarvel::server {
namespace {

ProfileFile Open(const QString& iniPath) {
    return ProfileFile(std::filesystem::path(iniPath.toStdString()));
}

}  // namespace

ServerSettings ReadServerSettings(const QString& iniPath) {
    const ProfileFile file = Open(iniPath);
    const ServerSettings defaults;
    ServerSettings settings;
    settings.port = file.ReadInteger("server", "port", defaults.port);
    settings.connectAtStartup = file.ReadBool("server", "connectatstartup", defaults.connectAtStartup);
    settings.language = file.ReadInteger("environment", "language", defaults.language);
    settings.tables = std::clamp(file.ReadInteger("server", "tables", defaults.tables), 1, kMostTables);
    settings.reconnectWait = std::clamp(file.ReadInteger("server", "reconnectwait", defaults.reconnectWait), 0,
                                        kLongestReconnectWait);
    settings.checkMoves = file.ReadBool("server", "checkmoves", defaults.checkMoves);
    settings.idleWait = std::clamp(file.ReadInteger("server", "idlewait", defaults.idleWait), 0, kLongestIdleWait);
    settings.connectionsPerAddress =
        std::max(1, file.ReadInteger("server", "connectionsperaddress", defaults.connectionsPerAddress));
    settings.connections = std::max(0, file.ReadInteger("server", "connections", defaults.connections));
    // Separated by commas or blanks; each as the log shows addresses (127.0.0.1, ::1).
    const QString trusted = QString::fromStdString(file.ReadString("server", "trustedaddresses", ""));
    for (const QString& address : trusted.split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts)) {
        settings.trustedAddresses.push_back(address.toStdString());
    }
    return settings;
}

void WriteConnectionSettings(const QString& iniPath, const ServerSettings& settings) {
    ProfileFile file = Open(iniPath);
    file.WriteInteger("server", "port", settings.port);
    file.WriteBool("server", "connectatstartup", settings.connectAtStartup);
    const bool hasTablesKey = file.ReadString("server", "tables", "-") != "-";
    if (settings.tables != 1 || hasTablesKey) file.WriteInteger("server", "tables", settings.tables);
    const bool hasWaitKey = file.ReadString("server", "reconnectwait", "-") != "-";
    if (settings.reconnectWait != ServerSettings().reconnectWait || hasWaitKey) {
        file.WriteInteger("server", "reconnectwait", settings.reconnectWait);
    }
}

void WriteLanguageSetting(const QString& iniPath, int language) {
    Open(iniPath).WriteInteger("environment", "language", language);
}

}  // namespace tarvel::server
