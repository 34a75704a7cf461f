#include "link/transport_base.h"

#include "errors/err_container.h"
#include "errors/error_exception.h"
#include "util/fd_misc.h"

namespace tessel {

TTransportBase::TTransportBase()
    : fOwnSniffer(std::make_unique<TSniffer>()), fSniffer(fOwnSniffer.get()) {}

TTransportBase::~TTransportBase() = default;

std::int32_t TTransportBase::check_Components() const {
    if (fErrContainer == nullptr) {
        if (fMisc != nullptr) {
            fMisc->show_MyAlert(
                "Error container component not assigned. Please assign this component!");
        }
        return -33017;
    }
    if (fMisc == nullptr) {
        // Nothing to show the message with; the code carries it.
        fErrContainer->setLastErrorCode(-33016);
        return -33016;
    }
    return 0;
}

std::int32_t TTransportBase::code() const {
    return fErrContainer->LastErrorCode();
}

void TTransportBase::setCode(std::int32_t value) const {
    fErrContainer->setLastErrorCode(value);
}

void TTransportBase::raiseOnFailure() const {
    if (fErrContainer->RaiseMode() && code() != 0) {
        throw ETesselError(code(), fErrContainer->LastErrorMessage());
    }
}

void TTransportBase::logFailure(const std::string& text) const {
    if (fSniffer != nullptr && fSniffer->saveToFile_isOn()) fSniffer->logThis(text, true);
}

void TTransportBase::logLastErrorMessage() const {
    logFailure(fErrContainer->LastErrorMessage());
}

void TTransportBase::recordBytes(TDataDirection direction, const std::uint8_t* bytes,
                                 std::size_t count) const {
    if (fMisc == nullptr || fSniffer == nullptr || !fSniffer->Active()) return;
    std::string& hex = direction == TDataDirection::toDevice
                           ? fSniffer->values.cHEX.toDeviceValue
                           : fSniffer->values.cHEX.fromDeviceValue;
    for (std::size_t i = 0; i < count; ++i) TFDMisc::putByteToHEX(bytes[i], hex);
}

}  // namespace tessel
