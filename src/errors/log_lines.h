#pragma once

#include <cstdint>
#include <string>

#include "errors/log_file.h"

namespace tessel {

// Local date and time now as "dd.mm.yyyy hh:mm:ss", independent of any locale.
std::string logTimeStamp();

// A csv field: the value in double quotes, followed by ";". Embedded quotes
// are kept as they are.
std::string to_CSVField(const std::string& value);

// One log line: "[time]: message", or "[time][ErrorCode:code]: message";
// in csv the same parts as quoted fields.
std::string formatLogLine(TLogFileFormats format, const std::string& time,
                          const std::string& message);
std::string formatLogLine(TLogFileFormats format, const std::string& time, std::int32_t code,
                          const std::string& message);

// Adds the line to folder + settings.FileName as the settings say (append or
// rewrite, row limit, code page, CR LF). False, with nothing written, when
// the folder cannot be created or a file to be replaced cannot be deleted.
// Raises when the file cannot be read or written or the code page is unknown.
bool appendLogLine(const std::string& folder, const std::string& line, const TLogFile& settings);

}  // namespace tessel
