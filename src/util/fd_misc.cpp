#include "util/fd_misc.h"

#include <algorithm>

#include "util/code_page.h"
#include "util/utf8.h"

namespace tessel {

namespace {

constexpr char kLowerDigits[] = "0123456789abcdef";
constexpr char kUpperDigits[] = "0123456789ABCDEF";

}  // namespace

Bytes TFDMisc::convert_String_ToAnsiString(std::string_view text, int codePage) {
    return encodeCodePage(text, codePage);
}

Bytes TFDMisc::convert_WideString_ToAnsiString(std::string_view text, int codePage) {
    return encodeCodePage(text, codePage);
}

Bytes TFDMisc::convert_WideString_ToAnsi1251(std::string_view text) {
    return encodeCodePage(text, kCodePage1251);
}

std::string TFDMisc::convert_AnsiString_ToWideString(ByteView bytes, int codePage) {
    return decodeCodePage(bytes, codePage);
}

std::string TFDMisc::convert_Ansi1251_ToWideString(ByteView bytes) {
    return decodeCodePage(bytes, kCodePage1251);
}

std::string TFDMisc::byteToHex(std::uint8_t b) {
    return {kLowerDigits[b >> 4], kLowerDigits[b & 0x0F]};
}

void TFDMisc::putByteToHEX(std::uint8_t b, std::string& text) {
    text.push_back(kUpperDigits[b >> 4]);
    text.push_back(kUpperDigits[b & 0x0F]);
    text.push_back(' ');
}

std::uint8_t TFDMisc::hexDigit(char c) {
    const auto code = static_cast<std::uint8_t>(c);
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(code - '0');
    if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(code - 87);
    return static_cast<std::uint8_t>(code - 55);
}

std::uint8_t TFDMisc::hexToByte(std::string_view twoChars) {
    const std::uint8_t high = twoChars.size() > 0 ? hexDigit(twoChars[0]) : 0;
    const std::uint8_t low = twoChars.size() > 1 ? hexDigit(twoChars[1]) : 0;
    return static_cast<std::uint8_t>(high * 16 + low);
}

void TFDMisc::setBitIntoInt(int bitIndex, int bitValue, std::int32_t& value) {
    // The low five bits of the index pick the bit, negative indexes included.
    const std::uint32_t mask = std::uint32_t{1} << (static_cast<std::uint32_t>(bitIndex) & 31u);
    auto bits = static_cast<std::uint32_t>(value);
    bits = bitValue > 0 ? (bits | mask) : (bits & ~mask);
    value = static_cast<std::int32_t>(bits);
}

int TFDMisc::fillAnswerList(std::string_view source, const StringList& delimiters,
                            StringList& target) {
    target.clear();
    if (source.empty()) return 0;
    if (delimiters.empty()) {
        target.emplace_back(source);
        return 1;
    }
    std::string item;
    std::size_t pos = 0;
    while (pos < source.size()) {
        const std::size_t start = pos;
        nextCodePoint(source, pos);
        const std::string_view character = source.substr(start, pos - start);
        if (std::find(delimiters.begin(), delimiters.end(), character) != delimiters.end()) {
            target.push_back(std::move(item));
            item.clear();
        } else {
            item.append(character);
        }
    }
    if (!item.empty()) target.push_back(std::move(item));
    return static_cast<int>(target.size());
}

bool TFDMisc::set_LocalShits(std::string_view dateSeparator, std::string_view timeSeparator,
                             std::string_view decimalSeparator, std::string_view shortDateFormat,
                             std::string_view shortTimeFormat, std::string_view longDateFormat,
                             std::string_view longTimeFormat) {
    for (const auto separator : {dateSeparator, timeSeparator, decimalSeparator}) {
        if (codePointCount(separator) != 1) return false;
    }
    for (const auto format : {shortDateFormat, shortTimeFormat, longDateFormat, longTimeFormat}) {
        if (format.empty()) return false;
    }
    fFormatSettings = {std::string(dateSeparator),    std::string(timeSeparator),
                       std::string(decimalSeparator), std::string(shortDateFormat),
                       std::string(shortTimeFormat),  std::string(longDateFormat),
                       std::string(longTimeFormat)};
    return true;
}

bool TFDMisc::fill_ComPortsCombo() {
    if (fComPortsCombo == nullptr) return false;
    StringList ports;
    if (!fComPorts.fill_List(ports)) return false;
    fComPortsCombo->setItems(ports);
    return true;
}

std::string TFDMisc::titleOrCaption(std::string_view title) const {
    return title.empty() ? fMyMessagesCaption : std::string(title);
}

void TFDMisc::myAlert(std::string_view text, std::string_view title, TMiscDialogTypes type) const {
    if (type != TMiscDialogTypes::inf_OkBtn || fPresenter == nullptr) return;
    TDialogRequest request;
    request.text = text;
    request.title = titleOrCaption(title);
    request.ownerWindow = fOwnerWindow;
    fPresenter->present(request);
}

void TFDMisc::myInformation(std::string_view text, std::string_view title,
                            TMiscDialogTypes type) const {
    if (type != TMiscDialogTypes::inf_OkBtn || fPresenter == nullptr) return;
    TDialogRequest request;
    request.text = text;
    request.icon = TDialogIcon::Information;
    request.ownerWindow = fOwnerWindow;
    if (fOwnerWindow != nullptr) {
        request.title = titleOrCaption(title);
    } else {
        request.platformInformation = true;
    }
    fPresenter->present(request);
}

int TFDMisc::myQuestion(std::string_view text, std::string_view title,
                        TMiscDialogTypes type) const {
    if (fPresenter == nullptr) return kDialogNo;
    TDialogRequest request;
    request.text = text;
    request.title = titleOrCaption(title);
    request.icon = TDialogIcon::Question;
    request.buttons = TDialogButtons::YesNo;
    request.yesIsDefault = type == TMiscDialogTypes::qstn_YesNo_FBtn;
    request.ownerWindow = fOwnerWindow;
    return fPresenter->present(request);
}

bool TFDMisc::myQuestion_Boolean(std::string_view text, std::string_view title,
                                 TMiscDialogTypes type) const {
    return myQuestion(text, title, type) != kDialogNo;
}

void TFDMisc::show_MyAlert(std::string_view text) const {
    myAlert(text, "", TMiscDialogTypes::inf_OkBtn);
}

void TFDMisc::show_MyInfo(std::string_view text) const {
    myInformation(text, "", TMiscDialogTypes::inf_OkBtn);
}

}  // namespace tessel
