// Answer splitting on arbitrary text: with one delimiter the items joined by
// it give the source back (less a trailing delimiter); with several, the
// count matches the list and no item holds a delimiter.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "util/fd_misc.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte gives the number of delimiters (0-3); the next bytes are
    // the delimiters, ASCII as the register's answers use.
    const std::size_t count = std::min<std::size_t>(data[0] & 3, size - 1);
    StringList delimiters;
    for (std::size_t i = 0; i < count; ++i)
        delimiters.emplace_back(1, static_cast<char>(data[1 + i] & 0x7F));
    const std::string_view source(reinterpret_cast<const char*>(data) + 1 + count,
                                  size - 1 - count);

    StringList items;
    const int n = TFDMisc::fillAnswerList(source, delimiters, items);
    FUZZ_CHECK(n == static_cast<int>(items.size()));
    FUZZ_CHECK(source.empty() == items.empty());
    for (const std::string& item : items) {
        for (const std::string& d : delimiters) FUZZ_CHECK(item.find(d) == std::string::npos);
    }
    if (delimiters.size() == 1) {
        std::string joined;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) joined += delimiters.front();
            joined += items[i];
        }
        FUZZ_CHECK(source.substr(0, joined.size()) == joined);
        const std::size_t rest = source.size() - joined.size();
        FUZZ_CHECK(rest == 0 || (rest == 1 && source.back() == delimiters.front().front()));
    }
    return 0;
}
