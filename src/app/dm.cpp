#include "app/dm.h"

#include <exception>

namespace tessel {

namespace {

constexpr std::uint16_t kDefaultTcpPort = 3999;

}  // namespace

Tdm::Tdm() {
    // Alerts passed no title show an empty title bar.
    misc.setMyMessagesCaption(std::string());
    err_.setLanguage(TErrorLanguages::English);
    err_.setRaiseMode(true);
    // The register's own TCP port, until the settings file says otherwise.
    fDevice.TCPIP().setPort(kDefaultTcpPort);
}

void Tdm::setWaitHook(const TWaitHook& hook) {
    fDevice.RS232().setWaitHook(hook);
    fDevice.TCPIP().setWaitHook(hook);
}

AppSettings Tdm::currentSettings() {
    AppSettings settings = loaderSettings;
    settings.protocolType = fDevice.dd().LowLevel().ProtocolType();
    settings.codePage = static_cast<std::int32_t>(fDevice.dd().CodePage());
    settings.errorStyle = fDevice.ErrorStyle();
    settings.communicationType = fDevice.CommunicationType() == TCommunicationType::ct_TCPIP
                                     ? TCommunicationType::ct_TCPIP
                                     : TCommunicationType::ct_RS232;
    settings.comPort = fDevice.RS232().port();
    settings.comPortName = fDevice.RS232().portName();
    settings.baudRate = fDevice.RS232().baudRate();
    settings.port = fDevice.TCPIP().port();
    settings.ipAddress = fDevice.TCPIP().Address();
    return settings;
}

void Tdm::applySettings(const AppSettings& settings) {
    fDevice.set_PacketFormat(settings.protocolType);
    fDevice.dd().setCodePage(static_cast<std::uint32_t>(settings.codePage));
    fDevice.setErrorStyle(settings.errorStyle);
    fDevice.setCommunicationType(settings.communicationType);
    fDevice.RS232().setPort(settings.comPort);
    fDevice.RS232().setPortName(settings.comPortName);
    fDevice.RS232().setBaudRate(settings.baudRate);
    fDevice.TCPIP().setPort(static_cast<std::uint16_t>(settings.port));
    fDevice.TCPIP().setAddress(settings.ipAddress);
    loaderSettings = settings;
}

bool Tdm::settings_Load_FromFile() {
    try {
        // Keys the file does not reach keep the values in use now.
        AppSettings settings = currentSettings();
        if (!tessel::settings_Load_FromFile(kSettingsFolder, settings)) return false;
        applySettings(settings);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Tdm::settings_Save_ToFile() {
    try {
        return tessel::settings_Save_ToFile(kSettingsFolder, currentSettings());
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tessel
