#include "session/net/installation_name.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSysInfo>
#include <QtGlobal>

namespace tarvel {

std::string InstallationName(std::string_view login, std::string_view host, std::string_view machineId,
                             std::string_view gameFolder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(machineId.data(), static_cast<qsizetype>(machineId.size())));
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(QByteArrayView(gameFolder.data(), static_cast<qsizetype>(gameFolder.size())));
    const std::string mark = hash.result().toHex().left(8).toStdString();
    std::string name(login.empty() ? std::string_view("tarvel") : login);
    if (!host.empty()) name += "@" + std::string(host);
    return name + " " + mark;
}

std::string ThisInstallationName() {
    QString login = qEnvironmentVariable("USER");
    if (login.isEmpty()) login = qEnvironmentVariable("LOGNAME");
    return InstallationName(login.toStdString(), QSysInfo::machineHostName().toStdString(),
                            QSysInfo::machineUniqueId().toStdString(),
                            QDir::current().canonicalPath().toStdString());
}

}  // namespace tarvel
