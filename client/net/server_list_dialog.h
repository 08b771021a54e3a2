// The server list dialog: the servers of "svrlist.txt" by name, read once
// when it is made; choosing one gives its address, port and name to the network
// settings dialog, which shows them until it is itself confirmed.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "client/net/server_list.h"
#include "common/string_table.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tarvel {

class ServerListDialog final : public QDialog {
    Q_OBJECT

  public:
    // The list shows the entries' names in their order and keeps the last one as the
    // current entry; a list that changes on disk later is seen at the next start.
    ServerListDialog(const Localizer& localizer, std::vector<ServerEntry> entries, QWidget* parent = nullptr);

    // Shows the list modally with the focus on it and, when `serverName` is not empty,
    // the first entry of that name selected (none when no entry has it). OK with an
    // entry selected: the entry of that name as the list looks it up (ServerList::Choose).
    // OK with none selected, Cancel or Escape: nothing.
    std::optional<ServerEntry> Choose(const std::string& serverName);

    const ServerList& List() const { return list_; }

  private:
    ServerList list_;
    QLabel* serversLabel_;
    QListWidget* serversList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarvel
