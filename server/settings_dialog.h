// The server settings dialog: the port, whether to listen right after start-up and how
// many tables (pairs playing at once) the server has.
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
    void Load(int port, bool connectAtStartup, int tables = 1);
    // The port field as a decimal port number, or nothing.
    std::optional<int> Port() const;
    bool ConnectAtStartup() const;
    // The tables field as a number of tables, or nothing.
    std::optional<int> Tables() const;

    void accept() override;  // refuses a field that is not a port number or a number of tables

  private:
    int language_;
    QLabel* portLabel_;
    QLineEdit* portedit;
    QCheckBox* pripojitpostartucheck;
    QLabel* tablesLabel_;
    QLineEdit* tablesedit;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarvel::server
