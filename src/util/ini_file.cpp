#include "util/ini_file.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tessel {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t orderIndex(std::span<const IniKeyRef> order, std::string_view section,
                       std::string_view key) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (iniNamesEqual(order[i].section, section) && iniNamesEqual(order[i].key, key)) return i;
    }
    return npos;
}

std::size_t sectionOrderIndex(std::span<const IniKeyRef> order, std::string_view section) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (iniNamesEqual(order[i].section, section)) return i;
    }
    return npos;
}

}  // namespace

bool iniNamesEqual(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return upper(x) == upper(y); });
}

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    if (text.starts_with(kBom)) {
        ini.fBom = true;
        text.remove_prefix(kBom.size());
    }
    const auto firstBreak = text.find('\n');
    ini.fCrLf = firstBreak != npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    ini.fFinalBreak = text.empty() || text.back() == '\n';

    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        // Stray CRs before the break belong to it: kept in the line, a rewrite
        // in the file's own break style would shed them one save at a time.
        while (raw.ends_with('\r')) raw.remove_suffix(1);
        start = end + 1;

        Line line;
        line.raw = std::string(raw);
        const std::string_view t = trimBlanks(raw);
        if (t.starts_with('[')) {
            const auto close = t.find(']');
            line.kind = LineKind::Section;
            line.name = std::string(trimBlanks(t.substr(1, close == npos ? npos : close - 1)));
        } else if (!t.starts_with(';') && !t.starts_with('#')) {
            const auto eq = raw.find('=');
            if (eq != npos && !trimBlanks(raw.substr(0, eq)).empty()) {
                line.kind = LineKind::Entry;
                line.name = std::string(trimBlanks(raw.substr(0, eq)));
                line.value = std::string(raw.substr(eq + 1));
            }
        }
        ini.fLines.push_back(std::move(line));
    }
    return ini;
}

std::string IniFile::text() const {
    const std::string_view eol = fCrLf ? "\r\n" : "\n";
    std::string out;
    if (fBom) out += kBom;
    for (std::size_t i = 0; i < fLines.size(); ++i) {
        out += fLines[i].raw;
        if (i + 1 < fLines.size() || fFinalBreak) out += eol;
    }
    return out;
}

std::optional<IniFile> IniFile::load(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return parse(content.str());
}

bool IniFile::save(const std::filesystem::path& file) const {
    auto temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::string content = text();
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    if (ec) std::filesystem::remove(temporary, ec);
    return !ec;
}

std::vector<std::string> IniFile::sections() const {
    std::vector<std::string> names;
    for (const auto& line : fLines) {
        if (line.kind == LineKind::Section) names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const auto header = findSection(section);
    if (header == npos) return names;
    for (auto i = header + 1; i < sectionEnd(header); ++i) {
        if (fLines[i].kind == LineKind::Entry) names.push_back(fLines[i].name);
    }
    return names;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    const auto header = findSection(section);
    if (header == npos) return std::nullopt;
    const auto at = findKey(header, key);
    if (at == npos) return std::nullopt;
    return fLines[at].value;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value,
                       std::span<const IniKeyRef> order) {
    const auto header = findSection(section);
    if (header == npos) {
        const auto at = newSectionPosition(section, order);
        std::vector<Line> block{sectionLine(section), entryLine(key, value)};
        if (at < fLines.size()) {
            block.push_back(Line{});  // keeps a blank line before the following section
        } else if (!fLines.empty() && !trimBlanks(fLines.back().raw).empty()) {
            block.insert(block.begin(), Line{});
        }
        fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
        return;
    }
    const auto existing = findKey(header, key);
    if (existing != npos) {
        Line& line = fLines[existing];
        line.value = std::string(value);
        line.raw = line.name + "=" + line.value;
        return;
    }
    const auto at = newKeyPosition(header, section, key, order);
    fLines.insert(fLines.begin() + static_cast<std::ptrdiff_t>(at), entryLine(key, value));
}

IniFile::Line IniFile::entryLine(std::string_view key, std::string_view value) {
    Line line{LineKind::Entry, std::string(key) + "=" + std::string(value), std::string(key),
              std::string(value)};
    return line;
}

IniFile::Line IniFile::sectionLine(std::string_view section) {
    return Line{LineKind::Section, "[" + std::string(section) + "]", std::string(section), {}};
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < fLines.size(); ++i) {
        if (fLines[i].kind == LineKind::Section && iniNamesEqual(fLines[i].name, section)) return i;
    }
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    auto i = header + 1;
    while (i < fLines.size() && fLines[i].kind != LineKind::Section) ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
    const auto end = sectionEnd(header);
    for (auto i = header + 1; i < end; ++i) {
        if (fLines[i].kind == LineKind::Entry && iniNamesEqual(fLines[i].name, key)) return i;
    }
    return npos;
}

std::size_t IniFile::newSectionPosition(std::string_view section,
                                        std::span<const IniKeyRef> order) const {
    const auto wanted = sectionOrderIndex(order, section);
    if (wanted == npos) return fLines.size();
    for (std::size_t i = 0; i < fLines.size(); ++i) {
        if (fLines[i].kind != LineKind::Section) continue;
        const auto other = sectionOrderIndex(order, fLines[i].name);
        if (other != npos && other > wanted) return i;
    }
    return fLines.size();
}

std::size_t IniFile::newKeyPosition(std::size_t header, std::string_view section,
                                    std::string_view key, std::span<const IniKeyRef> order) const {
    const auto wanted = orderIndex(order, section, key);
    const auto end = sectionEnd(header);
    auto afterLast = header + 1;
    for (auto i = header + 1; i < end; ++i) {
        if (fLines[i].kind != LineKind::Entry) continue;
        const auto other = orderIndex(order, section, fLines[i].name);
        if (wanted != npos && other != npos && other > wanted) return i;
        afterLast = i + 1;
    }
    return afterLast;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace tessel
