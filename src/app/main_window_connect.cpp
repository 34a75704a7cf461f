// Opening and closing the connection, identifying the model, and the
// settings file around it.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <array>
#include <stdexcept>

#include "app/dm.h"
#include "app/main_window.h"
#include "app/pages/connect_page.h"
#include "records/ecr_model.h"
#include "util/com_ports_usage.h"

namespace tessel {

namespace {

struct TModelLook {
    const char* caption;  // null: the caption stays as it is
    int maxProgrammableKeys;
    bool redirectToEmptyPage;
};

// By ecrModel; the last entry is the unknown model.
constexpr std::array<TModelLook, 5> kModelLooks{{
    {"Tessel FBH - [TK-81R]", 8, false},
    {"Tessel FBH - [LS-37]", 8, false},
    {"Tessel FBH - [LS-90]", 8, false},
    {"Tessel FBH - [QN-12]", 0, true},
    {nullptr, 0, false},
}};

int integerOf(const QString& text, const char* what) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) throw std::invalid_argument("'" + text.toStdString() + "' is not a valid " + what);
    return value;
}

// The port list holds device paths; "COM n" texts (the built-in list, or a
// path typed by hand) give the number from their fifth character on.
ConnectionSpec serialSpec(const QString& portText, const QString& speedText) {
    ConnectionSpec spec;
    spec.kind = ConnectionSpec::Kind::serial;
    if (portText.startsWith('/')) {
        spec.path = portText.toStdString();
        spec.portNumber = TComPortsUsage::calculate_FromText(spec.path);
    } else {
        spec.portNumber = integerOf(portText.mid(4), "port number");
    }
    spec.baudRate = integerOf(speedText, "speed");
    return spec;
}

ConnectionSpec tcpSpec(const QString& address, const QString& portText) {
    ConnectionSpec spec;
    spec.kind = ConnectionSpec::Kind::tcp;
    spec.host = address.trimmed().toStdString();
    spec.port = integerOf(portText, "TCP port");
    // The connector holds a 16-bit port; a larger number must not wrap
    // around to some other port.
    if (spec.port < 0 || spec.port > 65535)
        throw std::invalid_argument("'" + portText.toStdString() + "' is not a valid TCP port");
    return spec;
}

}  // namespace

void TfmMainSRB::btnConnectClick() {
    QPushButton* button = connectPage->btnConnect;
    button->setEnabled(false);
    try {
        if (fConnected) {
            destroyFP();
        } else {
            setStatusPanelText(1, QStringLiteral(" Connecting ... "));
            if (connectFP()) {
                SetConnected(true);
                showPage(pgClishe);
                jvtvMain_FBH->setCurrentItem(nodeItem(kNodeDateLogo));
                setStatusPanelText(1, QStringLiteral("Connected."));
            } else {
                destroyFP();
            }
        }
    } catch (const std::exception& e) {
        showException("btnConnectClick", e.what());
    }
    button->setEnabled(true);
}

bool TfmMainSRB::connectFP() {
    try {
        const ConnectionSpec spec =
            connectPage->chbxTCP->isChecked()
                ? tcpSpec(connectPage->edIPaddr->text(), connectPage->edPort->text())
                : serialSpec(connectPage->cbxCOM->currentText(),
                             connectPage->cbxSPEED->currentText());
        // Sets the identification read after connect and leaves the code in
        // the error container.
        if (fDm.openConnection(spec) != 0) {
            fDm.misc.show_MyAlert(fDm.err_.LastErrorMessage());
            return false;
        }
        if (!fDm.currentConnector().Active()) return false;
        const bool identified = identifyModel();
        fDm.settings_Save_ToFile();
        return identified;
    } catch (const std::exception& e) {
        fDm.misc.myAlert(e.what(), "Tessel", TMiscDialogTypes::inf_OkBtn);
        return false;
    }
}

void TfmMainSRB::destroyFP() {
    try {
        fDm.closeConnection();
    } catch (const std::exception&) {
        // Closing is best effort; the window is disconnected either way.
    }
    SetConnected(false);
}

bool TfmMainSRB::identifyModel() {
    try {
        fDm.identify();
        if (!StatusUpdate()) return false;
        ecrModel = ecrModelOf(fDm.fDevice.dd().i90().shNNNNNN());
        applyModel(ecrModel);
        return true;
    } catch (const std::exception& e) {
        showException("connectFPcmd90", e.what());
        return false;
    }
}

void TfmMainSRB::applyModel(int model) {
    fNodePage[kNodeItems] = pgItems;
    fNodePage[kNodeKeys] = pgKeys;
    fNodePage[kNodeClients] = pgClients;
    const bool known = model >= 0 && model < static_cast<int>(kModelLooks.size()) - 1;
    const TModelLook& look = kModelLooks[known ? model : kModelLooks.size() - 1];
    if (look.caption != nullptr) setWindowTitle(QString::fromLatin1(look.caption));
    MaxProgrammableKeys = look.maxProgrammableKeys;
    if (look.redirectToEmptyPage) {
        for (int node : {kNodeItems, kNodeKeys, kNodeClients}) fNodePage[node] = pgNone;
    }
}

void TfmMainSRB::showLoadedSettings() {
    // Without a settings file the page keeps what it shows.
    if (!fDm.settings_Load_FromFile()) return;
    const TRS232Connector& serial = fDm.fDevice.RS232();
    const std::string& path = serial.portName();
    const QString wanted =
        !path.empty() ? QString::fromStdString(path)
                      : QStringLiteral("COM %1").arg(serial.port(), 3, 10, QLatin1Char('0'));
    connectPage->cbxCOM->setCurrentIndex(connectPage->cbxCOM->findText(wanted));
    connectPage->cbxSPEED->setCurrentIndex(
        connectPage->cbxSPEED->findText(QString::number(serial.baudRate())));
    connectPage->edIPaddr->setText(QString::fromStdString(fDm.fDevice.TCPIP().Address()));
    connectPage->edPort->setText(QString::number(fDm.fDevice.TCPIP().port()));
}

}  // namespace tessel
