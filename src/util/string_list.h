#pragma once

#include <string>
#include <vector>

namespace tessel {

// An ordered list of texts: answer fields, delimiter lists, list-box entries.
using StringList = std::vector<std::string>;

}  // namespace tessel
