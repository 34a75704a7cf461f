#include "errors/error_text.h"

#include "errors/error_group.h"

namespace tessel {

std::string errorText_ByCode(std::int32_t code, TErrorLanguages language) {
    std::string provisional =
        code == 0 ? "No error" : "General error/Unknown error. [" + std::to_string(code) + "]";
    const TErrorGroup* group = errorGroup_ByCode(code);
    if (!group) return provisional;
    const auto table = group->table(language);
    if (!table) return provisional;
    // A code of the group's range that the table lacks has no text at all.
    return std::string(textOf(*table, code).value_or(""));
}

}  // namespace tessel
