// The sniffer's settings file: the header layout and the colours, section
// "HeaderSettings", plus the file-logging state in "DebugMode" (written only).

#include <charconv>
#include <cstdint>
#include <filesystem>

#include "link/sniffer.h"
#include "util/ini_file.h"

namespace tessel {
namespace {

constexpr const char* kHeaderSection = "HeaderSettings";
constexpr const char* kDebugSection = "DebugMode";

// Calls visit(key, field, default) for every key of "HeaderSettings", in the
// file's order. Saving and loading both walk this one list.
template <class Visit>
void forEachHeaderKey(TSniffer& s, Visit&& visit) {
    using namespace std::string_literals;
    constexpr TSnifferColor kColor = 38144;
    visit("unicID.addToHeader", s.snifferUIDRec.addToHeader, true);
    visit("unicID.addDescriptionToHeader", s.snifferUIDRec.addDescriptionToHeader, true);
    visit("unicID.headerDescription", s.snifferUIDRec.headerDescription, "UnicID = "s);
    visit("unicID.cColor", s.snifferUIDRec.cColor, kColor);

    auto item = [&](const std::string& name, TSnifferValueRec& rec, const std::string& description,
                    bool withTypeTexts) {
        visit(name + ".addToHeader", rec.addToHeader, true);
        visit(name + ".addDescriptionToHeader", rec.addDescriptionToHeader, true);
        visit(name + ".headerDescription", rec.headerDescription, description);
        if (withTypeTexts) {
            visit(name + ".fromDeviceValue", rec.fromDeviceValue, "Answer "s);
            visit(name + ".toDeviceValue", rec.toDeviceValue, "Request"s);
        }
        visit(name + ".cColor", rec.cColor, kColor);
    };
    item("cRepeatIndex", s.values.cRepeatIndex, "Repeat count = ", false);
    item("cCommand", s.values.cCommand, "Command = ", false);
    item("cDateTime", s.values.cDateTime, "Date time = ", false);
    item("cType", s.values.cType, "Type = ", true);
    item("cHEX", s.values.cHEX, "hex ", false);
    item("cText", s.values.cText, "text", false);

    visit("hexPacket.header.color", s.hexPacket.header.color, TSnifferColor{16756834});
    visit("hexPacket.data.color", s.hexPacket.data.color, kColor);
    visit("hexPacket.footer.color", s.hexPacket.footer.color, TSnifferColor{16756834});
    visit("hexPacket.errorColor", s.hexPacket.errorColor, TSnifferColor{987135});
    visit("hexPacket.reqwestColor", s.hexPacket.reqwestColor, TSnifferColor{16756834});
    visit("hexPacket.answerColor", s.hexPacket.answerColor, kColor);
}

std::string asText(bool v) {
    return v ? "1" : "0";
}
std::string asText(TSnifferColor v) {
    return std::to_string(v);
}
const std::string& asText(const std::string& v) {
    return v;
}

// The profile's integer reading: a decimal number, else the default.
template <class Int>
Int readInteger(const std::optional<std::string>& text, Int fallback) {
    if (!text || text->empty()) return fallback;
    Int value{};
    const char* end = text->data() + text->size();
    auto [ptr, ec] = std::from_chars(text->data(), end, value);
    return ec == std::errc() && ptr == end ? value : fallback;
}

void readInto(const std::optional<std::string>& text, bool& field, bool fallback) {
    field = readInteger<std::int64_t>(text, fallback ? 1 : 0) != 0;
}
void readInto(const std::optional<std::string>& text, TSnifferColor& field,
              TSnifferColor fallback) {
    field = readInteger(text, fallback);
}
void readInto(const std::optional<std::string>& text, std::string& field,
              const std::string& fallback) {
    field = text.value_or(fallback);
}

// A value as the platform's profile reader gives it: without the blanks
// around it.
std::optional<std::string> profileValue(const IniFile& profile, const std::string& key) {
    std::optional<std::string> value = profile.value(kHeaderSection, key);
    if (!value) return value;
    return std::string(trimBlanks(*value));
}

}  // namespace

bool TSniffer::saveToFile() {
    if (fFileFormat != TSnifferFileFormats::snif_INI) return false;
    const std::string path = fSettingsFolder + fSettingsFileName;
    bool written = false;
    try {
        // An unreadable file is written afresh, as the platform's profile
        // writer would.
        IniFile profile = IniFile::load(path).value_or(IniFile{});
        forEachHeaderKey(*this, [&](const std::string& key, auto& field, const auto&) {
            profile.setValue(kHeaderSection, key, asText(field));
        });
        profile.setValue(kDebugSection, "saveToFileIsOn", asText(fSaveToFile_isOn));
        profile.setValue(kDebugSection, "LogFileName", fLogFileName);
        profile.setValue(kDebugSection, "LogFolder", fLogFolder);
        written = profile.save(path);
    } catch (...) {
        written = false;
    }
    takeMyColorsFromCurrent();
    std::error_code ec;
    // A file left over from before does not make a failed write a success.
    return written && std::filesystem::is_regular_file(path, ec);
}

bool TSniffer::loadFromFile() {
    if (fFileFormat != TSnifferFileFormats::snif_INI) return false;
    bool loaded = true;
    try {
        const IniFile profile =
            IniFile::load(fSettingsFolder + fSettingsFileName).value_or(IniFile{});
        forEachHeaderKey(*this, [&](const std::string& key, auto& field, const auto& fallback) {
            readInto(profileValue(profile, key), field, fallback);
        });
        // The profile reader drops trailing blanks; these two texts end in one.
        if (values.cType.fromDeviceValue == "Answer") values.cType.fromDeviceValue = "Answer ";
        if (values.cHEX.headerDescription == "hex") values.cHEX.headerDescription = "hex ";
    } catch (...) {
        loaded = false;
    }
    takeMyColorsFromCurrent();
    return loaded;
}

}  // namespace tessel
