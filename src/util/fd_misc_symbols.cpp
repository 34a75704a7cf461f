// Readable names of control characters and printer escapes in typed text.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "util/code_page.h"
#include "util/fd_misc.h"
#include "util/utf8.h"

namespace tessel {

namespace {

constexpr char kEsc = 27;

// Bytes above 127 in a printer escape mean what they mean on the register.
constexpr int kDeviceCodePage = kCodePage1251;

std::string asciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return upper;
}

struct NamedSymbols {
    StringList names;
    const char* characters;
};

const std::array<NamedSymbols, 4>& specialSymbolNames() {
    static const std::array<NamedSymbols, 4> names{{
        {{"LF", "\\N", "#10", "[LF]", "[\\N]"}, "\n"},
        {{"TAB", "HT", "\\T", "#9", "[TAB]", "[HT]", "[\\T]"}, "\t"},
        {{"CR", "\\R", "#13", "[CR]", "[\\R]"}, "\r"},
        {{"NEW LINE", "LINE BREAK", "[NEW LINE]", "[LINE BREAK]"}, "\r\n"},
    }};
    return names;
}

const std::array<NamedSymbols, 4>& bracketedLineNames() {
    static const std::array<NamedSymbols, 4> names{{
        {{"LF", "\\N"}, "\n"},
        {{"TAB", "HT", "\\T"}, "\t"},
        {{"CR", "\\R"}, "\r"},
        {{"NEW LINE", "LINE BREAK"}, "\r\n"},
    }};
    return names;
}

const char* lookUp(const std::array<NamedSymbols, 4>& table, std::string_view name) {
    for (const auto& entry : table) {
        if (TFDMisc::StrToCase_FullMatch(name, entry.names) >= 0) return entry.characters;
    }
    return nullptr;
}

// Text with a mask of characters that must not take part in the "\t", "\n",
// "\r" replacement: bytes produced by printer escapes are data, and an
// escape's own "\" must not pair with the text after it.
class MarkedText {
public:
    void appendText(std::string_view text) { append(text, false); }
    void appendData(std::string_view data) { append(data, true); }
    void appendDataByte(std::uint8_t b) {
        if (b < 0x80) {
            appendData(std::string(1, static_cast<char>(b)));
        } else {
            const Bytes one{b};
            appendData(decodeCodePage(one, kDeviceCodePage));
        }
    }

    // Replaces "\t", "\n", "\r" (any case) in the text parts.
    std::string resolveEscapes() const {
        std::string out;
        out.reserve(fText.size());
        for (std::size_t i = 0; i < fText.size(); ++i) {
            if (fText[i] == '\\' && !fData[i] && i + 1 < fText.size() && !fData[i + 1]) {
                const char* replacement = escapeOf(fText[i + 1]);
                if (replacement != nullptr) {
                    out.append(replacement);
                    ++i;
                    continue;
                }
            }
            out.push_back(fText[i]);
        }
        return out;
    }

private:
    static const char* escapeOf(char c) {
        switch (c) {
            case 't':
            case 'T':
                return "\t";
            case 'n':
            case 'N':
                return "\n";
            case 'r':
            case 'R':
                return "\r";
            default:
                return nullptr;
        }
    }

    void append(std::string_view part, bool data) {
        fText.append(part);
        fData.insert(fData.end(), part.size(), data);
    }

    std::string fText;
    std::vector<bool> fData;
};

enum class Parameter { None, Byte, Decimal, ByteOrZeroDigit, TwoBytes };

struct PrinterEscape {
    const char* prefix;
    char command;
    Parameter parameter;
};

// Checked in this order; the first prefix found anywhere in the name wins.
constexpr std::array<PrinterEscape, 14> kPrinterEscapes{{
    {"1B!", '!', Parameter::Byte},
    {"1B ", ' ', Parameter::Decimal},
    {"1B3", '3', Parameter::Decimal},
    {"1BE", 'E', Parameter::Decimal},
    {"1BG", 'G', Parameter::Decimal},
    {"1BI", 'I', Parameter::ByteOrZeroDigit},
    {"1BA", 'a', Parameter::ByteOrZeroDigit},
    {"1BU", 'u', Parameter::Decimal},
    {"1BB", 'B', Parameter::Decimal},
    {"1BJ", 'J', Parameter::Byte},
    {"1BD", 'd', Parameter::Byte},
    {"1B$", '$', Parameter::TwoBytes},
    {"1B\\", '\\', Parameter::TwoBytes},
    {"1BM", 'm', Parameter::None},
}};

// The byte written as two hexadecimal digits at positions first and
// first + 1 (from 1) of the name; nothing when the name is too short.
std::optional<std::uint8_t> hexAt(std::string_view name, std::size_t first) {
    if (name.size() < first + 1) return std::nullopt;
    return TFDMisc::hexToByte(name.substr(first - 1, 2));
}

bool emitPrinterEscape(std::string_view upperName, MarkedText& out) {
    for (const auto& escape : kPrinterEscapes) {
        if (upperName.find(escape.prefix) == std::string_view::npos) continue;
        out.appendData({&kEsc, 1});
        out.appendData({&escape.command, 1});
        const auto value = hexAt(upperName, 4);
        switch (escape.parameter) {
            case Parameter::None:
                break;
            case Parameter::Byte:
                if (value) out.appendDataByte(*value);
                break;
            case Parameter::Decimal:
                if (value) out.appendData(std::to_string(*value));
                break;
            case Parameter::ByteOrZeroDigit:
                if (value && *value == 0) out.appendData("0");
                if (value && *value != 0) out.appendDataByte(*value);
                break;
            case Parameter::TwoBytes:
                if (value) out.appendDataByte(*value);
                if (const auto second = hexAt(upperName, 6)) out.appendDataByte(*second);
                break;
        }
        return true;
    }
    return false;
}

void emitBracketedName(std::string_view name, MarkedText& out) {
    if (const char* characters = lookUp(bracketedLineNames(), name)) {
        out.appendData(characters);
        return;
    }
    const std::string upper = asciiUpper(name);
    if (emitPrinterEscape(upper, out)) return;
    if (codePointCount(name) != 3) {
        out.appendText(name);
        return;
    }
    // "\1B": a control character by its hexadecimal code, up to the space.
    if (name[0] == '\\') {
        const std::uint8_t code = TFDMisc::hexToByte(name.substr(1, 2));
        if (code >= 1 && code <= 32) out.appendDataByte(code);
    }
}

}  // namespace

std::string TFDMisc::prepare_SpecialSymbol(std::string_view text) {
    MarkedText out;
    if (const char* characters = lookUp(specialSymbolNames(), asciiUpper(text))) {
        out.appendText(characters);
    } else {
        out.appendText(text);
    }
    return out.resolveEscapes();
}

std::string TFDMisc::prepare_InputForSpecialSymbols(std::string_view text) {
    MarkedText out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('[', pos);
        const std::size_t close = open == std::string_view::npos ? open : text.find(']', open + 1);
        if (close == std::string_view::npos) {
            // No (complete) name left: the rest is plain text.
            out.appendText(text.substr(pos));
            break;
        }
        out.appendText(text.substr(pos, open - pos));
        emitBracketedName(text.substr(open + 1, close - open - 1), out);
        pos = close + 1;
    }
    return out.resolveEscapes();
}

}  // namespace tessel
