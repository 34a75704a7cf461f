#pragma once

namespace tessel {

class TFiscalDevice;

// A component that refers to a fiscal device component and must forget it
// when that component is destroyed.
class TDeviceObserver {
public:
    virtual ~TDeviceObserver() = default;
    // Called at the start of the component's destruction; the component is
    // still whole during the call.
    virtual void Notification(TFiscalDevice& component) = 0;
};

}  // namespace tessel
