// Cutting, matching and padding text.
#include <algorithm>

#include "util/fd_misc.h"
#include "util/utf8.h"

namespace tessel {

namespace {

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

// Length of the first character of a delimiter: a code point for text, one
// element for bytes.
std::size_t firstCharLength(std::string_view delimiter) {
    std::size_t pos = 0;
    nextCodePoint(delimiter, pos);
    return pos;
}

std::size_t firstCharLength(ByteView) {
    return 1;
}

template <typename Str, typename View>
Str valueBefore(Str& source, View delimiter, bool deleteIt) {
    const auto found = delimiter.empty() ? source.end()
                                         : std::search(source.begin(), source.end(),
                                                       delimiter.begin(), delimiter.end());
    if (found == source.end()) {
        Str result = source;
        if (deleteIt) source.clear();
        return result;
    }
    Str result(source.begin(), found);
    if (deleteIt) {
        source.erase(source.begin(),
                     found + static_cast<std::ptrdiff_t>(firstCharLength(delimiter)));
    }
    return result;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string TFDMisc::get_Value_Before(std::string& source, std::string_view delimiter,
                                      bool deleteIt) {
    return valueBefore(source, delimiter, deleteIt);
}

Bytes TFDMisc::get_Value_Before(Bytes& source, ByteView delimiter, bool deleteIt) {
    return valueBefore(source, delimiter, deleteIt);
}

std::string TFDMisc::get_Value_BetweenDelimiters(std::string& source, bool deleteDelimiter,
                                                 bool deleteData, std::string_view opening,
                                                 std::string_view closing) {
    if (source.empty()) return {};
    if (!opening.empty() && deleteDelimiter && source.starts_with(opening)) {
        source.erase(0, opening.size());
    }
    if (closing.empty()) return source;
    const std::size_t p = source.find(closing);
    if (p == std::string::npos || p == 0) return source;
    std::string result = source.substr(0, p);
    if (deleteData) source.erase(0, p);
    return result;
}

int TFDMisc::StrToCase_FullMatch(std::string_view selector, const StringList& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (equalsIgnoringAsciiCase(selector, list[i])) return static_cast<int>(i);
    }
    return -1;
}

int TFDMisc::StrToCase_PosMatch(std::string_view selector, const StringList& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].empty() && selector.find(list[i]) != std::string_view::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string TFDMisc::padString(std::string_view source, std::string_view pad, int count,
                               TPadCase padCase) {
    const std::size_t length = codePointCount(source);
    const std::size_t padLength = codePointCount(pad);
    if (padLength == 0 || count < 1 || length >= static_cast<std::size_t>(count)) {
        return std::string(source);
    }
    const std::size_t copies = (static_cast<std::size_t>(count) - length) / padLength;
    std::size_t before = 0;
    switch (padCase) {
        case TPadCase::pcLeft:
            before = copies;
            break;
        case TPadCase::pcRight:
            break;
        case TPadCase::pcCenter:
            before = copies / 2;
            break;
    }
    std::string result;
    result.reserve(source.size() + copies * pad.size());
    for (std::size_t i = 0; i < before; ++i) result.append(pad);
    result.append(source);
    for (std::size_t i = before; i < copies; ++i) result.append(pad);
    return result;
}

std::string TFDMisc::checkForPathDelimiter(std::string_view path) {
    std::string result(path);
    if (std::all_of(path.begin(), path.end(), isBlank)) return result + "./";
    if (result.back() != '/') result.push_back('/');
    return result;
}

}  // namespace tessel
