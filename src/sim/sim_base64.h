#pragma once

// Standard Base64 (RFC 4648) with "=" padding and no line breaks.

#include <optional>
#include <string>
#include <string_view>

#include "util/bytes.h"

namespace tessel::sim {

std::string encodeBase64(ByteView bytes);
// nullopt for anything that is not a whole, correctly padded Base64 text.
std::optional<Bytes> decodeBase64(std::string_view text);

}  // namespace tessel::sim
