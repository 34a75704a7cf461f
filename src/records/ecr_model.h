#pragma once

#include <array>
#include <string_view>

namespace tessel {

// The register models the tool knows, as their identification names them;
// the position in this list is the model number (ecrModel).
inline constexpr std::array<std::string_view, 4> kKnownEcrModels{"TK-81 R", "LS 37", "LS 90",
                                                                 "QN 12"};
inline constexpr int kUnknownEcrModel = -1;

// Position of the identification's model name in the list, letter case
// ignored; kUnknownEcrModel when it is none of them.
int ecrModelOf(std::string_view modelName);

}  // namespace tessel
