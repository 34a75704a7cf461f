#pragma once

#include <string>

namespace tessel {

// Full path of the running program file; empty when the system cannot tell.
std::string programFilePath();

// The program file's name without folder.
std::string programFileName();

// The program's extension with its dot ("" when the name has none).
std::string programFileExtension(const std::string& fileName);

// Every occurrence of `from` replaced by `to`, letters compared without case
// (ASCII). An empty `from` leaves the text as it is.
std::string replaceAllNoCase(const std::string& text, const std::string& from,
                             const std::string& to);

}  // namespace tessel
