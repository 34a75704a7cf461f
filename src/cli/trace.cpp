#include "cli/trace.h"

#include <string_view>

#include "util/fd_misc.h"

namespace tessel::cli {

namespace {

std::string_view withoutTrailingBlanks(std::string_view hex) {
    const auto last = hex.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : hex.substr(0, last + 1);
}

std::string quotedText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\x";
                    TFDMisc::putByteToHEX(byte, out);
                    out.pop_back();  // the blank after the digits
                } else {
                    out += c;  // UTF-8 sequences pass whole
                }
        }
    }
    return out + "\"";
}

}  // namespace

std::string traceLine(const TraceFrame& frame) {
    std::string line = frame.toDevice ? "TX" : "RX";
    line += " #" + std::to_string(frame.id) + " try " + frame.repeatIndex + " cmd " + frame.command;
    line += frame.success ? " ok " : " failed ";
    line += frame.dateTime;
    for (const std::string_view part : {frame.header, frame.data, frame.footer}) {
        line += " | ";
        line += withoutTrailingBlanks(part);
    }
    return line + " | " + quotedText(frame.text);
}

}  // namespace tessel::cli
