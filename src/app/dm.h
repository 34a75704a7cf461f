#pragma once

#include "records/app_settings.h"
#include "records/device_module.h"

namespace tessel {

// The data module: the device components behind the window (utility
// component, error container, fiscal device component and the TK-81R model
// definition, wired as the tool runs them) and the settings file.
class Tdm : public DeviceModule {
public:
    Tdm();

    // Both serial and TCP/IP waits call the hook between short slices.
    void setWaitHook(const TWaitHook& hook);

    // The settings file "settings.ini" in "./Settings": read into the device
    // component and the logo loader's settings, and written back from them.
    // Loading creates nothing; saving creates the folder when missing. Any
    // failure ends the operation quietly with false.
    bool settings_Load_FromFile();
    bool settings_Save_ToFile();
    // The values the settings file would be written with now.
    AppSettings currentSettings();
    // The logo loader's keys (delimiters, logo commands, folders, events).
    AppSettings loaderSettings;

private:
    void applySettings(const AppSettings& settings);
};

}  // namespace tessel
