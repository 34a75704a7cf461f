#include "link/sniffer_profile.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace tessel {
namespace {

std::string trimmed(const std::string& s) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
    auto first = std::find_if_not(s.begin(), s.end(), blank);
    auto last = std::find_if_not(s.rbegin(), s.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The section name when the line is a section line.
std::optional<std::string> sectionOf(const std::string& line) {
    const std::string t = trimmed(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimmed(t.substr(1, close - 1));
}

// The key of a "key=value" line; comment lines have none.
std::optional<std::string> keyOf(const std::string& line) {
    const std::string t = trimmed(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return trimmed(line.substr(0, eq));
}

}  // namespace

TProfileFile TProfileFile::load(const std::string& path) {
    TProfileFile profile;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        profile.fLines.push_back(line);
    }
    return profile;
}

std::optional<std::string> TProfileFile::read(const std::string& section,
                                              const std::string& key) const {
    bool inSection = false;
    for (const auto& line : fLines) {
        if (auto s = sectionOf(line)) {
            inSection = sameText(*s, section);
        } else if (auto k = inSection ? keyOf(line) : std::nullopt; k && sameText(*k, key)) {
            return trimmed(line.substr(line.find('=') + 1));
        }
    }
    return std::nullopt;
}

void TProfileFile::write(const std::string& section, const std::string& key,
                         const std::string& value) {
    const std::string entry = key + "=" + value;
    bool inSection = false;
    std::optional<std::size_t> sectionEnd;  // where a new key of the section goes
    for (std::size_t i = 0; i < fLines.size(); ++i) {
        if (auto s = sectionOf(fLines[i])) {
            if (inSection) break;
            inSection = sameText(*s, section);
            if (inSection) sectionEnd = i + 1;
        } else if (inSection) {
            if (auto k = keyOf(fLines[i]); k && sameText(*k, key)) {
                fLines[i] = entry;
                return;
            }
            if (!trimmed(fLines[i]).empty()) sectionEnd = i + 1;
        }
    }
    if (sectionEnd) {
        fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
        return;
    }
    fLines.push_back("[" + section + "]");
    fLines.push_back(entry);
}

bool TProfileFile::save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& line : fLines) out << line << '\n';
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace tessel
