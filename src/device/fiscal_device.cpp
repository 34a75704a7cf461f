#include "device/fiscal_device.h"

#include <algorithm>

#include "device/custom_mapping.h"
#include "errors/err_container.h"
#include "util/int_text.h"

namespace tessel {
namespace {

constexpr std::int32_t kGeneralError = -1;
constexpr std::int32_t kTimeout = -6;
constexpr std::int32_t kNotAnInteger = -10521;
constexpr std::int32_t kMissingOutput = -10524;
constexpr std::int32_t kNotFoundByName = -10526;
constexpr std::int32_t kNotFoundByValues = -10527;

bool contains(const StringList& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TFiscalDevice::TFiscalDevice() : fDD(this), fExchange(fDD.LowLevel()) {
    fExchange.setRS232(&fRS232);
    fExchange.setTCPIP(&fTCPIP);
    forwardEvents();
    wire_Identification();
}

TFiscalDevice::~TFiscalDevice() {
    // Observers may unregister themselves while being told.
    const std::vector<TDeviceObserver*> observers = fObservers;
    for (TDeviceObserver* observer : observers) observer->Notification(*this);
}

void TFiscalDevice::setMisc(TFDMisc* misc) {
    fExchange.setMisc(misc);
    fRS232.setMisc(misc);
    fTCPIP.setMisc(misc);
}

void TFiscalDevice::setErrContainer(TErrContainer* container) {
    fExchange.setErrContainer(container);
    fRS232.setErrContainer(container);
    fTCPIP.setErrContainer(container);
}

void TFiscalDevice::setErrorStyle(TErrorStyle style) {
    if (style == TErrorStyle::errorCode || style == TErrorStyle::pfStyle) fErrorStyle = style;
}

void TFiscalDevice::FreeNotification(TDeviceObserver* observer) {
    if (observer && std::find(fObservers.begin(), fObservers.end(), observer) == fObservers.end()) {
        fObservers.push_back(observer);
    }
}

void TFiscalDevice::RemoveFreeNotification(TDeviceObserver* observer) {
    std::erase(fObservers, observer);
}

std::int32_t TFiscalDevice::check_Components() {
    return fExchange.check_Components();
}

void TFiscalDevice::setCode(std::int32_t value) {
    errContainer()->setLastErrorCode(value);
}

std::int32_t TFiscalDevice::code() const {
    return errContainer()->LastErrorCode();
}

std::string TFiscalDevice::text_Output() {
    if (check_Components() != 0) return {};
    // The model, and with it dd.CodePage, may have changed since the last command.
    fExchange.setCodePage(static_cast<int>(fDD.CodePage()));
    return fExchange.text_Output();
}

std::string TFiscalDevice::text_Output_1251() {
    if (check_Components() != 0) return {};
    return fExchange.text_Output_1251();
}

bool TFiscalDevice::customCommand(std::uint16_t CommandValue, const std::string& inputText,
                                  std::string& outputText) {
    return runCommand(CommandValue, inputText, outputText, TTextForm::DeviceCodePage);
}

bool TFiscalDevice::customCommand_cp1251(std::uint16_t CommandValue, const std::string& inputText,
                                         std::string& outputText) {
    return runCommand(CommandValue, inputText, outputText, TTextForm::Windows1251);
}

bool TFiscalDevice::runCommand(std::uint16_t command, const std::string& inputText,
                               std::string& outputText, TTextForm form) {
    if (check_Components() != 0) return false;
    std::lock_guard lock(fCommandLock);

    // Command 90 without parameters answers a free-form text: it is split at
    // blanks and commas too, and its first field is no error code.
    const bool freeFormIdentification = protocol() == TPacketFormat::protocol_Type2 &&
                                        command == kIdentificationCommand &&
                                        inputText.find('\t') == std::string::npos;
    StringList addedDelimiters;
    bool result = false;
    try {
        if (fFirstCommand) {
            if (!exchangeText(kStatusCommand, {}, outputText, form)) return false;
            fFirstCommand = false;
        }
        if (freeFormIdentification) {
            for (const char* d : {",", " "}) {
                if (!contains(delimitersList, d)) {
                    delimitersList.push_back(d);
                    addedDelimiters.push_back(d);
                }
            }
        }
        result = exchangeText(command, inputText, outputText, form);
        if (code() != kTimeout) {
            TFDMisc::fillAnswerList(outputText, delimitersList, answerFieldsList);
            if (protocol() == TPacketFormat::protocol_Type2) {
                if (answerFieldsList.empty()) {
                    setCode(kMissingOutput);
                } else if (!freeFormIdentification) {
                    takeErrorCodeFromField0();
                }
            }
        }
    } catch (...) {
        result = false;
    }
    // Only what this command added is taken away again, so delimiters the
    // caller had put in survive the command.
    for (const std::string& d : addedDelimiters) std::erase(delimitersList, d);
    return result;
}

bool TFiscalDevice::exchangeText(std::uint16_t command, const std::string& inputText,
                                 std::string& outputText, TTextForm form) {
    bool ok = false;
    try {
        fExchange.setCodePage(static_cast<int>(fDD.CodePage()));
        const Bytes data = inputBytes(inputText, form);
        const TTextVariant variant =
            form == TTextForm::Windows1251 ? TTextVariant::tv_cp1251 : TTextVariant::tv_AsReceived;
        ok = fExchange.execute_Exchange(command, data, variant);
    } catch (...) {
        ok = false;
    }
    outputText = answerText(form);
    if (fDD.CustomCodePage()) {
        outputText = reverse_CustomMapping(outputText, fDD.CustomCodePageCode());
    }
    return ok;
}

Bytes TFiscalDevice::inputBytes(const std::string& inputText, TTextForm form) const {
    if (form == TTextForm::Windows1251) return TFDMisc::convert_WideString_ToAnsi1251(inputText);
    const int codePage = static_cast<int>(fDD.CodePage());
    if (fDD.CustomCodePage() && fDD.CustomCodePageCode() == kGeorgianCustomCodePage) {
        const std::string mapped = apply_CustomMapping(inputText, fDD.CustomCodePageCode());
        return TFDMisc::convert_WideString_ToAnsiString(
            TFDMisc::prepare_InputForSpecialSymbols(mapped), codePage);
    }
    return TFDMisc::convert_WideString_ToAnsiString(inputText, codePage);
}

// The Windows-1251 form keeps the answer as Windows-1251 text with either
// protocol, so protocol_Type1 answers are decoded too instead of coming back empty.
// The exchange decodes with dd.CodePage, set by exchangeText before the command.
std::string TFiscalDevice::answerText(TTextForm form) const {
    return form == TTextForm::Windows1251 ? fExchange.text_Output_1251() : fExchange.text_Output();
}

void TFiscalDevice::takeErrorCodeFromField0() {
    const std::optional<std::int32_t> registerCode = textToInt32(answerFieldsList.front());
    setCode(registerCode ? *registerCode : kNotAnInteger);
}

std::string TFiscalDevice::defaultDelimiter() const {
    return protocol() == TPacketFormat::protocol_Type1 ? "," : "\t";
}

bool TFiscalDevice::add_DefaultDelimiters() {
    if (check_Components() != 0) return false;
    try {
        const std::string d = defaultDelimiter();
        if (!contains(delimitersList, d)) delimitersList.push_back(d);
        return true;
    } catch (...) {
        return false;
    }
}

bool TFiscalDevice::set_PacketFormat(TPacketFormat packetFormat) {
    if (check_Components() != 0) return false;
    try {
        TLowLevel& lowLevel = fDD.LowLevel();
        lowLevel.setFileFormat(TStatusFileFormats::sft_INI);
        lowLevel.setDescriptionsFolder({});
        lowLevel.set_sBytesStatusPacketFormat(packetFormat);
        lowLevel.init_Statuses();
        return true;
    } catch (...) {
        return false;
    }
}

const TCommandsItem* TFiscalDevice::findByName(const std::string& name,
                                               std::initializer_list<TNameOf> names) {
    if (check_Components() != 0) return nullptr;
    try {
        const TCustomCommands& cmds = fDD.cmds();
        for (int i = 0; i < cmds.Count(); ++i) {
            const TCommandsItem& item = cmds.GetItem(i);
            for (TNameOf nameOf : names) {
                if ((item.*nameOf)() == name) return &item;
            }
        }
    } catch (...) {
    }
    setCode(kNotFoundByName);
    return nullptr;
}

const TCommandsItem* TFiscalDevice::find(const std::string& command_Name) {
    return findByName(command_Name, {&TCommandsItem::HumanName, &TCommandsItem::HumanName2,
                                     &TCommandsItem::HumanName3});
}

const TCommandsItem* TFiscalDevice::findBy_HumanName_1(const std::string& command_Name) {
    return findByName(command_Name, {&TCommandsItem::HumanName});
}

const TCommandsItem* TFiscalDevice::findBy_HumanName_2(const std::string& command_Name) {
    return findByName(command_Name, {&TCommandsItem::HumanName2});
}

const TCommandsItem* TFiscalDevice::findBy_HumanName_3(const std::string& command_Name) {
    return findByName(command_Name, {&TCommandsItem::HumanName3});
}

const TCommandsItem* TFiscalDevice::find(std::int32_t command_Value, std::uint16_t command_Variant,
                                         std::uint16_t command_Version) {
    if (check_Components() != 0) return nullptr;
    try {
        const TCustomCommands& cmds = fDD.cmds();
        for (int i = 0; i < cmds.Count(); ++i) {
            const TCommandsItem& item = cmds.GetItem(i);
            if (item.Value() == command_Value && item.Variant() == command_Variant &&
                item.Version() == command_Version) {
                return &item;
            }
        }
    } catch (...) {
    }
    setCode(kNotFoundByValues);
    return nullptr;
}

bool TFiscalDevice::findAndExecute(const std::string& command_Name) {
    if (check_Components() != 0) return false;
    return executeFound(find(command_Name));
}

bool TFiscalDevice::findAndExecute(std::int32_t command_Value, std::uint16_t command_Variant,
                                   std::uint16_t command_Version) {
    if (check_Components() != 0) return false;
    return executeFound(find(command_Value, command_Variant, command_Version));
}

// A description carries no parameters yet, so there is nothing it could send:
// a found one ends as a general failure rather than a pretended success.
bool TFiscalDevice::executeFound(const TCommandsItem* item) {
    if (item) setCode(kGeneralError);
    return false;
}

void TFiscalDevice::clear_DDCommands() {
    fDD.cmds().Clear();
}

bool TFiscalDevice::add_PCR(const std::string& t_UnicCode, const std::string& t_Name,
                            TMorvik_ItIsType t_ItIs, TMayUseAfter t_MayUseAfter,
                            TRWType t_ReadWriteType, TPacValueType t_ValueType,
                            const std::string& t_Value, std::int32_t t_SourceIndex_1,
                            std::int32_t t_SourceIndex_2, const std::string& t_Version) {
    try {
        return fDD.pcrs().Add().set_PCRValues(t_UnicCode, t_Name, t_ItIs, t_MayUseAfter,
                                              t_ReadWriteType, t_ValueType, t_Value,
                                              t_SourceIndex_1, t_SourceIndex_2, t_Version);
    } catch (...) {
        return false;
    }
}

void TFiscalDevice::clear_PCRs() {
    fDD.pcrs().Clear();
}

void TFiscalDevice::wire_Identification() {
    if (fDD.i90().getAfterConnect()) {
        fRS232.setAfterConnect([this] { return fDD.i90().getFromDevice(); });
        fTCPIP.setAfterConnect([this] { return fDD.i90().getFromDevice(); });
    } else {
        fRS232.setAfterConnect({});
        fTCPIP.setAfterConnect({});
    }
}

void TFiscalDevice::forwardEvents() {
    auto forward = [this](TCommunicationEvent TFiscalDevice::*event) {
        return [this, event](TPacketExchange&, bool success, std::int64_t ID,
                             const std::string& repeatIndex, const std::string& hexPacketHeader,
                             const std::string& hexPacketData, const std::string& hexPacketFooter,
                             const std::string& textValue, const std::string& dateTimeValue,
                             const std::string& command) {
            if (this->*event) {
                (this->*event)(*this, success, ID, repeatIndex, hexPacketHeader, hexPacketData,
                               hexPacketFooter, textValue, dateTimeValue, command);
            }
        };
    };
    fExchange.OnSendCommand = forward(&TFiscalDevice::OnSendCommand);
    fExchange.OnReceiveAnswer = forward(&TFiscalDevice::OnReceiveAnswer);
    fExchange.OnWait = [this](TPacketExchange&, std::uint8_t waitMessage) {
        if (OnWait) OnWait(*this, waitMessage);
    };
    fExchange.OnStatusChange = [this](TPacketExchange&) {
        if (OnStatusChange) OnStatusChange(*this);
    };
}

}  // namespace tessel
