#pragma once

#include <string>

#include "link/low_level.h"

namespace tessel {

// Status bit texts of the register model: selector 1 gives the Romanian
// column, any other value the English one. Empty for an index outside 0..7.
std::string get_StatusBitText(int byteIndex, int bitIndex, int selector);

// Marks the error bits of one status byte as the model defines them (bytes
// 0, 1, 2 and 4): each listed bit counts as an error in its listed checking
// cases and in no other. Bits without a listing and other bytes are left as
// they are.
void set_sByteErrors(TLowLevel& lowLevel, int byteIndex);

}  // namespace tessel
