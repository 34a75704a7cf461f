#pragma once

#include <cstdint>

#include "errors/error_group.h"

namespace tessel::bench {

// True when the code lies in a group of the error catalogue whose English
// table gives it a text: a failure must report a code the user can look up.
inline bool hasCatalogueText(std::int32_t code) {
    const TErrorGroup* group = errorGroup_ByCode(code);
    if (group == nullptr) return false;
    const auto table = group->table(TErrorLanguages::English);
    return table && !textOf(*table, code).value_or("").empty();
}

}  // namespace tessel::bench
