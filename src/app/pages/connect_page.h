#pragma once

#include <QWidget>
#include <cstdint>

#include "util/fd_misc.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace tessel {

// The "Connect/Disconnect" page: the serial port and speed, or the TCP/IP
// address and port, and the button that opens and closes the connection.
class TConnectPage : public QWidget {
    Q_OBJECT
public:
    explicit TConnectPage(QWidget* parent = nullptr);

    QComboBox* cbxCOM;
    QComboBox* cbxSPEED;
    QCheckBox* chbxTCP;
    QLineEdit* edIPaddr;
    QLineEdit* edPort;
    QPushButton* btnConnect;

    // Ticks TCP/IP and fills in the address and port.
    void useTcp(const QString& address, std::uint16_t port);

    // cbxCOM as the utility component's port list box.
    TStringListBox& portListBox() { return fPortListBox; }

private:
    class TComboListBox : public TStringListBox {
    public:
        explicit TComboListBox(QComboBox* combo) : fCombo(combo) {}
        void setItems(const StringList& items) override;

    private:
        QComboBox* fCombo;
    };

    // Ticked: the TCP/IP fields are in use and the serial ones are not.
    void chbxTCPClick(bool ticked);

    TComboListBox fPortListBox{cbxCOM};
};

}  // namespace tessel
