// The server settings dialog: the port and whether to listen right after start-up.
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
    void Load(int port, bool connectAtStartup);
    // The port field as a decimal port number, or nothing.
    std::optional<int> Port() const;
    bool ConnectAtStartup() const;

    void accept() override;  // refuses a port field that is not a port number

  private:
    int language_;
    QLabel* portLabel_;
    QLineEdit* portedit;
    QCheckBox* pripojitpostartucheck;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tarvel::server
