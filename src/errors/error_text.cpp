#include "errors/error_text.h"

#include <charconv>

#include "errors/error_group.h"

namespace tessel {

void assign_ErrorText(std::int32_t code, TErrorLanguages language, std::string& out) {
    const TErrorGroup* group = errorGroup_ByCode(code);
    if (group) {
        if (const auto table = group->table(language)) {
            // A code of the group's range that the table lacks has no text at all.
            out.assign(textOf(*table, code).value_or(""));
            return;
        }
    }
    if (code == 0) {
        out.assign("No error");
        return;
    }
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    out.assign("General error/Unknown error. [");
    out.append(digits, end);
    out.push_back(']');
}

std::string errorText_ByCode(std::int32_t code, TErrorLanguages language) {
    std::string text;
    assign_ErrorText(code, language, text);
    return text;
}

}  // namespace tessel
