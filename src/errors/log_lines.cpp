#include "errors/log_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "errors/user_folders.h"
#include "util/code_page.h"

namespace tessel {

namespace fs = std::filesystem;

std::string logTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[80];  // room for any int the calendar fields could hold
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec);
    return text;
}

std::string to_CSVField(const std::string& value) {
    return '"' + value + "\";";
}

std::string formatLogLine(TLogFileFormats format, const std::string& time,
                          const std::string& message) {
    if (format == TLogFileFormats::csv) return to_CSVField(time) + to_CSVField(message);
    return "[" + time + "]: " + message;
}

std::string formatLogLine(TLogFileFormats format, const std::string& time, std::int32_t code,
                          const std::string& message) {
    const std::string codeText = "ErrorCode:" + std::to_string(code);
    if (format == TLogFileFormats::csv) {
        return to_CSVField(time) + to_CSVField(codeText) + to_CSVField(message);
    }
    return "[" + time + "][" + codeText + "]: " + message;
}

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

std::vector<std::string> readLines(const std::string& path, int codePage) {
    std::ifstream in(path, std::ios::binary);
    Bytes bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        throw std::runtime_error("Cannot open file \"" + path + "\". " + systemReason());
    }
    // Any of CR LF, LF or CR ends a line; a final line end adds no empty line.
    const std::string text = decodeCodePage(bytes, codePage);
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

void writeLines(const std::string& path, const std::vector<std::string>& lines, int codePage) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    const Bytes bytes = encodeCodePage(text, codePage);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    out.close();
    if (!out) throw std::runtime_error("Cannot create file \"" + path + "\". " + systemReason());
}

// Keeps limit - 1 rows once the limit is passed, as the log always has; the
// line just added is kept even at a limit of 1.
void limitRows(std::vector<std::string>& lines, std::int32_t limit) {
    const auto count = static_cast<std::int64_t>(lines.size());
    if (limit <= 0 || count <= limit) return;
    const auto removed = std::min<std::int64_t>(count - limit + 1, count - 1);
    lines.erase(lines.begin(), lines.begin() + removed);
}

}  // namespace

bool appendLogLine(const std::string& folder, const std::string& line, const TLogFile& settings) {
    const int codePage = settings.CodePage();
    if (!isSupportedCodePage(codePage)) {
        throw std::runtime_error("Unsupported code page " + std::to_string(codePage) + ".");
    }
    if (!ensureFolder(folder)) return false;
    const std::string path = folder + settings.FileName();
    std::vector<std::string> lines;
    std::error_code ec;
    if (fs::exists(path, ec)) {
        if (settings.AppendFile()) {
            lines = readLines(path, codePage);
        } else if (!fs::remove(path, ec) || fs::exists(path, ec)) {
            return false;
        }
    }
    lines.push_back(line);
    limitRows(lines, settings.RowsCountLimitation());
    writeLines(path, lines, codePage);
    return true;
}

}  // namespace tessel
