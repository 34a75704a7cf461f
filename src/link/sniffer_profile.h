#pragma once

// A settings file in the Windows profile form: "[section]" lines, then
// "key=value" lines. Writing a key replaces its value in place or appends it
// to its section, so the keys of a fresh file keep the order they were written
// in and a file edited by hand keeps its other lines.

#include <optional>
#include <string>
#include <vector>

namespace tessel {

class TProfileFile {
public:
    // A missing or unreadable file gives an empty profile.
    static TProfileFile load(const std::string& path);

    // The value with its surrounding blanks dropped, as the profile reader of
    // the platform gives it; sections and keys match without regard to case.
    std::optional<std::string> read(const std::string& section, const std::string& key) const;
    void write(const std::string& section, const std::string& key, const std::string& value);
    // False when the file cannot be written.
    bool save(const std::string& path) const;

private:
    std::vector<std::string> fLines;
};

}  // namespace tessel
