// Typed command parameters with bracketed control-character names and
// printer escapes: valid text in gives valid text out, and text without
// brackets or backslashes passes unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "util/fd_misc.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string prepared = TFDMisc::prepare_InputForSpecialSymbols(text);
    const std::string symbol = TFDMisc::prepare_SpecialSymbol(text);
    if (fuzz::isValidUtf8(text)) {
        FUZZ_CHECK(fuzz::isValidUtf8(prepared));
        FUZZ_CHECK(fuzz::isValidUtf8(symbol));
    }
    if (text.find_first_of("[\\") == std::string_view::npos) FUZZ_CHECK(prepared == text);
    return 0;
}
