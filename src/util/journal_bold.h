#pragma once

#include <cstddef>
#include <vector>

#include "util/string_list.h"

namespace tessel {

// Characters of one journal line to show in bold, counted in characters
// (code points) from 0 on the rewritten line.
struct TBoldRange {
    std::size_t line = 0;
    std::size_t start = 0;
    std::size_t length = 0;

    bool operator==(const TBoldRange&) const = default;
};

struct TBoldText {
    StringList lines;
    std::vector<TBoldRange> bold;
};

// The register marks each character it prints emphasised with a "^" before
// it. Removes the carets, reports the marked characters as bold ranges and
// pads with spaces so the columns of the printout stay aligned. Lines without
// a caret come back untouched.
TBoldText doBold(const StringList& lines);

}  // namespace tessel
