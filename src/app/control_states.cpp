// Enabling and disabling around the connection and around each operation.
#include <QAbstractButton>
#include <QPushButton>
#include <QTreeWidget>
#include <initializer_list>

#include "app/dm.h"
#include "app/main_window.h"
#include "app/pages/connect_page.h"

namespace tessel {

namespace {

using Names = std::initializer_list<const char*>;

// The command controls of each page that OpraviControlite switches.
struct TPageControls {
    int page;
    Names controls;
};

const TPageControls kPageControls[] = {
    {pgClishe,
     {"bbtnGetDatePC", "bbtnGetDateECR", "bbtnSetDateECR", "bbtnPrintDiag1", "btnLoadLogo",
      "btnDelLogo"}},
    {pgParams, {"bbtnSetParameters", "btnReadParams"}},
    {pgFiscalization, {"bbtnSetSerial", "bbtnFiscalize"}},
    {pgKLEN, {"bbtnGetKLEN"}},
    {pgItems,
     {"bbtnReadItems", "bbtnSendItems", "bbtnDelete", "bbtnClear", "bbtnExport", "bbtnImport"}},
    {pgOperators, {"bbtnReadOper", "bbtnSaveOper"}},
    {pgKeys, {"bbtnReadDkeys", "bbtnSaveDkeys"}},
    {pgCorrections, {"btnSaveCorrections", "btnReadCorrections"}},
    {pgCashINOUT, {"bbtnCashIn", "bbtnCashOut"}},
    {pgTest,
     {"btnPanicOp", "btnRestartDev", "bbtn_BAH_TEST_ECR", "bbtn_BAH_PROGR_TESTITEM",
      "bbtn_BAH_GETITEM", "bbtnTestReclam"}},
    {pgStockGrp, {"btnReadStock", "btnSaveStock"}},
    {pgCommunication, {"btnSaveCommunication", "btnReadCommunication"}},
    {pgClients,
     {"btnReadClientInfo", "btnWriteClientInfo", "btnDelClients", "btnClearClient",
      "btnExportClients", "btnImportClients"}},
};

// Pages that need the register.
constexpr int kDevicePages[] = {pgClishe,        pgParams, pgFiscalization, pgKLEN,
                                pgCommunication, pgCustom, pgKeys};

constexpr Names kDeviceButtons = {"bbtnReadOper",       "bbtnSaveOper", "bbtnReadItems",
                                  "bbtnSendItems",      "bbtnDelete",   "btnReadClientInfo",
                                  "btnWriteClientInfo", "btnDelClients"};

// Files and the clipboard work without a register.
constexpr Names kOfflineButtons = {"btnImportClients", "bbtnImport", "btnImportOper", "btnPaste"};

}  // namespace

void TfmMainSRB::setEnabledByName(const char* name, bool enabled) {
    if (auto* widget = findChild<QWidget*>(QString::fromLatin1(name))) widget->setEnabled(enabled);
}

void TfmMainSRB::SetConnected(bool Value) {
    try {
        fConnected = Value;
        connectPage->btnConnect->setText(Value ? QStringLiteral("Disconnect")
                                               : QStringLiteral("Connect"));
        for (QPushButton* button : findChildren<QPushButton*>()) button->setEnabled(Value);
        setEnabledByName("bbtnStopRead", false);
        setEnabledByName("bbtnStopKLdate", false);
        connectPage->btnConnect->setEnabled(true);
        jvtvMain_FBH->setEnabled(true);
        for (int index : kDevicePages) page(index)->setEnabled(Value);
        for (const char* name : kDeviceButtons) setEnabledByName(name, Value);
        for (const char* name : kOfflineButtons) setEnabledByName(name, true);
        jvtvMain_FBH->setFocus();
    } catch (const std::exception& e) {
        showException("SetConnected", e.what());
    }
}

void TfmMainSRB::OpraviControlite(bool Value) {
    const int showing = currentPage();
    for (const TPageControls& entry : kPageControls) {
        if (entry.page != showing) continue;
        for (const char* name : entry.controls) setEnabledByName(name, Value);
        if (showing == pgItems) {
            Working = !Value;
            setEnabledByName("bbtnStopRead", false);
        } else if (showing == pgClients) {
            Working = !Value;
            setEnabledByName("chbx_StopClients", !Value);
        } else if (showing == pgFiscalization) {
            const TLowLevel& status = fDm.fDevice.dd().LowLevel();
            // A serial number that is set, or a fiscalized device, cannot be
            // set again.
            if (status.get_sBytesState(4, 2)) setEnabledByName("bbtnSetSerial", false);
            if (status.get_sBytesState(5, 3)) setEnabledByName("bbtnFiscalize", false);
        } else if (showing == pgKLEN) {
            setEnabledByName("bbtnStopKLdate", false);
        }
    }
    repaint();
}

}  // namespace tessel
