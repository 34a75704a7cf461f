#include "errors/program_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tessel {

std::string programFilePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

std::string programFileName() {
    return std::filesystem::path(programFilePath()).filename().string();
}

std::string programFileExtension(const std::string& fileName) {
    auto dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

namespace {

bool sameNoCase(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string replaceAllNoCase(const std::string& text, const std::string& from,
                             const std::string& to) {
    if (from.empty()) return text;
    std::string result;
    auto pos = text.begin();
    while (true) {
        auto hit = std::search(pos, text.end(), from.begin(), from.end(), sameNoCase);
        result.append(pos, hit);
        if (hit == text.end()) break;
        result += to;
        pos = hit + static_cast<std::ptrdiff_t>(from.size());
    }
    return result;
}

}  // namespace tessel
