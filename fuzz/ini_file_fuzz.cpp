// The settings file reader on arbitrary text: parsing what it writes gives
// the same text back, every listed key can be read, and a value written
// through setValue reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "util/ini_file.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::parse(text);
    const std::string written = ini.text();
    FUZZ_CHECK(IniFile::parse(written).text() == written);

    for (const std::string& section : ini.sections()) {
        for (const std::string& key : ini.keys(section)) {
            FUZZ_CHECK(ini.value(section, key).has_value());
        }
    }
    // A value without line breaks survives a write and a re-read, in an
    // existing section and key as well as in new ones.
    std::string value(text.substr(0, 32));
    std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
    const auto sections = ini.sections();
    if (!sections.empty()) {
        const auto keys = ini.keys(sections.front());
        if (!keys.empty()) {
            ini.setValue(sections.front(), keys.front(), value);
            FUZZ_CHECK(ini.value(sections.front(), keys.front()) == value);
        }
    }
    ini.setValue("FuzzSection", "FuzzKey", value);
    FUZZ_CHECK(ini.value("FuzzSection", "FuzzKey") == value);
    const IniFile reread = IniFile::parse(ini.text());
    FUZZ_CHECK(reread.value("FuzzSection", "FuzzKey") == value);
    return 0;
}
