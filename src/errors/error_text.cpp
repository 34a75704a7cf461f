#include "errors/error_text.h"

namespace tessel {

std::string errorText_ByCode(std::int32_t code, TErrorLanguages /*language*/) {
    if (code == 0) return "No error";
    return "General error/Unknown error. [" + std::to_string(code) + "]";
}

}  // namespace tessel
