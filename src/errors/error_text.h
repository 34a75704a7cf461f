#pragma once

#include <cstdint>
#include <string>

#include "errors/error_languages.h"

namespace tessel {

// Text of an error code in the given language. Code 0 is "No error"; a code
// outside every catalogue group gives "General error/Unknown error. [code]".
std::string errorText_ByCode(std::int32_t code, TErrorLanguages language);

// The same text written into out, reusing its storage: setting an error code
// on every command must not allocate.
void assign_ErrorText(std::int32_t code, TErrorLanguages language, std::string& out);

}  // namespace tessel
