// Code-page and device-text conversions on arbitrary bytes and text:
// decoding then encoding restores every byte, encoding never grows past one
// byte per character, and every decoded text is valid UTF-8.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "util/code_page.h"
#include "util/device_text.h"
#include "util/fd_misc.h"
#include "util/utf8.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView bytes(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const int codePage : {kCodePage1250, kCodePage1251, kCodePage1252}) {
        const std::string decoded = decodeCodePage(bytes, codePage);
        FUZZ_CHECK(fuzz::isValidUtf8(decoded));
        FUZZ_CHECK(encodeCodePage(decoded, codePage) == Bytes(bytes.begin(), bytes.end()));
        const Bytes encoded = TFDMisc::convert_WideString_ToAnsiString(text, codePage);
        FUZZ_CHECK(encoded.size() <= size);
        FUZZ_CHECK(fuzz::isValidUtf8(TFDMisc::convert_AnsiString_ToWideString(encoded, codePage)));
    }
    FUZZ_CHECK(decodeCodePage(bytes, 437).empty());

    // The device keeps no letter at 0xDF and 0xFF: they come back as spaces.
    const std::string device = ecrToUTF(bytes);
    FUZZ_CHECK(fuzz::isValidUtf8(device));
    Bytes expected(bytes.begin(), bytes.end());
    std::replace_if(
        expected.begin(), expected.end(), [](std::uint8_t b) { return b == 0xDF || b == 0xFF; },
        std::uint8_t{' '});
    FUZZ_CHECK(UTFtoEcr(device) == expected);
    FUZZ_CHECK(UTFtoEcr(text).size() <= size);
    FUZZ_CHECK(replaceCyrChars(bytes).size() == size);

    const std::string name = nameToDeviceText(text);
    FUZZ_CHECK(fuzz::isValidUtf8(name));
    FUZZ_CHECK(fuzz::isValidUtf8(nameFromDeviceText(name)));
    FUZZ_CHECK(fuzz::isValidUtf8(clientNameFromDeviceText(name)));
    FUZZ_CHECK(fuzz::isValidUtf8(journalLineFromDeviceText(decodeCodePage(bytes, kCodePage1251))));
    return 0;
}
