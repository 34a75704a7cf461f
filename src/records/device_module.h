#pragma once

#include <cstdint>

#include "device/fiscal_device.h"
#include "device/models/srb_tk_81r.h"
#include "errors/err_container.h"
#include "records/connection_text.h"
#include "util/fd_misc.h"

namespace tessel {

// The device side of the application's data module: the utility component,
// the error container, the fiscal device component and the TK-81R model
// definition, wired and set up as the application runs them (serial time
// limit 10,000 ms, TCP/IP 30,000 ms, one attempt per command, the status
// bits that are not errors switched off). The command-line tool and the
// window share it.
class DeviceModule {
public:
    DeviceModule();
    ~DeviceModule();
    DeviceModule(const DeviceModule&) = delete;
    DeviceModule& operator=(const DeviceModule&) = delete;

    TFDMisc misc;
    TErrContainer err_;
    TFiscalDevice fDevice;
    TSRB_TK_81R SRB_TK_81R;

    // The transport of the current communication type.
    TConnector& currentConnector();

    // Opening, as connectFP does it: the identification read after connect
    // switched on, the transport chosen and set from the connection, opened.
    // The result is the open's code, also left in the error container.
    std::int32_t openConnection(const ConnectionSpec& connection);
    // The application's identification: command 90 with one TAB. The
    // result is the command's; the error container's code says whether the
    // register accepted it.
    bool identify();
    // destroyFP: closes the transport of the current communication type.
    void closeConnection();

    // Switches off, for every checking case, the status bits that must not
    // fail a command on their own (cover open, paper, journal full, the
    // fiscal memory bits and the general error bits).
    void set_errorBitsToFalse();
};

}  // namespace tessel
