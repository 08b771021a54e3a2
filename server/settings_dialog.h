// The server settings dialog: the port, whether to listen right after start-up, how
// many tables (pairs playing at once) the server has and how long the seat of a player
// who lost the connection is held.
#pragma once

#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvel::server {

class SettingsDialog final : public QDialog {
    Q_OBJECT

  public:
    SettingsDialog(int language, QWidget* parent = nullptr);

    // Fills the fields and focuses the port field.
    void Load(int port, bool connectAtStartup, int tables = 1, int reconnectWait = 60);
    // The port field as a decimal port number, or nothing.
    std::optional<int> Port() const;
    bool ConnectAtStartup() const;
    // The tables field as a number of tables, or nothing.
    std::optional<int> Tables() const;
    // The field of the wait for a lost player, in seconds, or nothing.
    std::optional<int> ReconnectWait() const;

    void accept() override;  // refuses a field that holds no number of its range

  private:
    int language_;
    QLabel* portLabel_;
    QLineEdit* portEdit_;
    QCheckBox* listenAtStartCheck_;
    QLabel* tablesLabel_;
    QLineEdit* tablesEdit_;
    QLabel* reconnectLabel_;
    QLineEdit* reconnectEdit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarvel::server
