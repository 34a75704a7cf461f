#pragma once

#include <cstdint>
#include <string>

#include "device/fiscal_device.h"
#include "errors/err_container.h"
#include "scripted_register.h"
#include "util/fd_misc.h"
#include "util/scripted_presenter.h"

namespace tessel::test {

// A fiscal device component wired to its siblings and pointed at a scripted
// register on loopback TCP or on a pseudo-terminal serial line. The register answers "0" to
// everything until a test gives it a script; the connection is not opened yet.
struct DeviceRig {
    explicit DeviceRig(TPacketFormat format = TPacketFormat::protocol_Type2,
                       ScriptedRegister::Line line = ScriptedRegister::Line::Tcp);

    // Opens the transport of the current communication type.
    bool open();
    std::int32_t code() const { return err.LastErrorCode(); }
    // Runs customCommand and answers its result; the answer text goes to output.
    bool command(std::uint16_t command, const std::string& input = {});

    ScriptedRegister reg;
    TErrContainer err;
    TScriptedPresenter presenter;
    TFDMisc misc;
    TFiscalDevice fd;
    std::string output;
};

}  // namespace tessel::test
