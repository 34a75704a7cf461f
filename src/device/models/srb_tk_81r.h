#pragma once

#include "device/device_observer.h"

namespace tessel {

class TFiscalDevice;

// The model definition of the TK-81R register: linked to a fiscal device
// component through fCore, it configures that component for the model.
class TSRB_TK_81R : public TDeviceObserver {
public:
    TSRB_TK_81R() = default;
    ~TSRB_TK_81R() override;
    TSRB_TK_81R(const TSRB_TK_81R&) = delete;
    TSRB_TK_81R& operator=(const TSRB_TK_81R&) = delete;

    TFiscalDevice* fCore() const { return fiscalDevice; }
    // Links the component (unlinking any earlier one) and configures it.
    void setFCore(TFiscalDevice* device);

    // Each does nothing without a linked component.
    bool init_fCore();
    void clear_DDCommands();
    void add_DDCommands();
    void clear_PCRs();
    // Adds the model's 132 property code records in catalogue order and stops
    // at the first one that fails.
    void add_PCRs();
    // Marks the model's error bits of one status byte (0, 1, 2 or 4).
    void set_sByteErrors(int byteIndex);

    // The linked component is going away: its command descriptions are
    // cleared and the link is dropped.
    void Notification(TFiscalDevice& component) override;

private:
    void init_StatusBits();

    TFiscalDevice* fiscalDevice = nullptr;
};

}  // namespace tessel
