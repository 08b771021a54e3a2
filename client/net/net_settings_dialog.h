// The network settings dialog: the server's address and port, the name of the
// server chosen from the list, and whether to start the server with the client and to
// allow voice messages. It only shows and collects the values; the main window saves
// them (SaveNetSettings) and uses them at the next connection.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "session/net_settings.h"
#include "client/net/server_list.h"
#include "common/string_table.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel {

class ServerListDialog;

class NetSettingsDialog final : public QDialog {
    Q_OBJECT

  public:
    // Shows a message to the player and returns when it has been read.
    using ShowMessage = std::function<void(const QString&)>;

    // `serverList` fills the server list dialog, once (the entries of "svrlist.txt" at
    // start-up). Without `showMessage` a message box over the dialog shows the messages.
    // The captions are taken in the localizer's language now.
    NetSettingsDialog(const Localizer& localizer, std::vector<ServerEntry> serverList,
                      ShowMessage showMessage = {}, QWidget* parent = nullptr);

    // Shows the dialog modally with the fields set from `current` (a port of 0 shows as
    // an empty field) and the focus on the address; the list button is enabled only when
    // `serverListExists`. OK: the address ("127.0.0.1" for an empty field), the port (1412,
    // the server's own default, for an empty field), the server name shown, the table and
    // the two options. A port that cannot be connected to, or a table name the server
    // cannot take, is refused with a message, the dialog staying open with everything
    // typed. Cancel or Escape: nothing, whatever was chosen from the list meanwhile.
    std::optional<NetSettings> Edit(const NetSettings& current, bool serverListExists);

    ServerListDialog& ServerList() { return *serverList_; }

  private:
    void ChooseFromServerList();
    void okbitbtnClick();

    const Localizer& localizer_;
    ShowMessage showMessage_;
    ServerListDialog* serverList_;
    QLabel* addressLabel_;
    QLineEdit* addressEdit_;
    QLabel* portLabel_;
    QLineEdit* portEdit_;
    QLabel* serverNameLabel_;
    QLineEdit* serverNameEdit_;  // read-only: the name comes only from the list
    QPushButton* serverListButton_;
    QLabel* tableLabel_;
    QLineEdit* tableEdit_;  // the table to meet at; empty: anyone
    QCheckBox* spustservercheck;
    QCheckBox* spokenMessagesBox_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;  // Cancel
    std::int32_t acceptedPort_ = 0;
    std::string acceptedTable_;
};

}  // namespace tarvel
