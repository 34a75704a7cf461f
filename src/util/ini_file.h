#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// A section and key as a settings table lists them; a table of these gives
// the order in which new keys and sections are placed.
struct IniKeyRef {
    std::string_view section;
    std::string_view key;
};

// Profile file ("[Section]" lines, then "Key=Value" lines) kept line by line,
// so that rewriting it leaves comments, unknown keys and other sections as
// they were. Section and key names compare without regard to the case of
// A-Z, as the Windows profile functions do; the first of two equal sections
// or keys wins. Values are kept verbatim: no blank, quote or escape is taken
// off, so a one-blank delimiter survives a round trip. CR LF and LF files are
// both read; a rewrite keeps the file's own line break.
class IniFile {
public:
    IniFile() = default;

    static IniFile parse(std::string_view text);
    std::string text() const;

    // nullopt when the file cannot be read.
    static std::optional<IniFile> load(const std::filesystem::path& file);
    // Writes a temporary file beside the target and renames it over the
    // target, so a failed write never leaves a half-written settings file.
    bool save(const std::filesystem::path& file) const;

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;
    // nullopt when the key is absent; an empty text when it has no value.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value in place, or adds the key. A new key goes before the
    // first key of its section that comes later in `order`, else after the
    // section's last key; a new section goes before the first section that
    // comes later in `order`, else at the end.
    void setValue(std::string_view section, std::string_view key, std::string_view value,
                  std::span<const IniKeyRef> order = {});

private:
    enum class LineKind { Other, Section, Entry };
    struct Line {
        LineKind kind = LineKind::Other;
        std::string raw;   // the line as read, without its line break
        std::string name;  // section name or key
        std::string value;
    };

    static Line entryLine(std::string_view key, std::string_view value);
    static Line sectionLine(std::string_view section);
    // Index of the section's header line, or npos.
    std::size_t findSection(std::string_view section) const;
    // One past the section's last line (the next header or the end).
    std::size_t sectionEnd(std::size_t header) const;
    std::size_t findKey(std::size_t header, std::string_view key) const;
    std::size_t newSectionPosition(std::string_view section,
                                   std::span<const IniKeyRef> order) const;
    std::size_t newKeyPosition(std::size_t header, std::string_view section, std::string_view key,
                               std::span<const IniKeyRef> order) const;

    std::vector<Line> fLines;
    bool fCrLf = false;
    bool fBom = false;
    bool fFinalBreak = true;
};

// Equality of two names without regard to the case of A-Z.
bool iniNamesEqual(std::string_view a, std::string_view b);

// The text without the blanks and tabs at its ends.
std::string_view trimBlanks(std::string_view text);

}  // namespace tessel
