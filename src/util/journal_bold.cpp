#include "util/journal_bold.h"

#include <string>

#include "util/utf8.h"

namespace tessel {

namespace {

constexpr char32_t kCaret = U'^';

// On lines up to this long the last segment gets half the caret count in
// spaces, on longer lines the full count: the printout's two line widths.
constexpr std::size_t kNarrowLine = 46;

bool isGap(const std::u32string& line, std::size_t i) {
    return i + 1 < line.size() && line[i] == U' ' && line[i + 1] == U' ';
}

// Re-spaces a line that holds carets so that, once they are removed, its
// columns line up as printed. Indexes are 0-based here.
std::u32string respace(const std::u32string& line) {
    const std::size_t n = line.size();
    std::u32string head;
    std::u32string pending;
    std::size_t carets = 0;
    std::size_t k = 0;
    if (line[0] == kCaret) {
        // Heading run: up to the first double space.
        k = n - 1;
        for (std::size_t i = 0; i < n; ++i) {
            if (line[i] == kCaret) ++carets;
            if (isGap(line, i)) {
                head = line.substr(0, i) + std::u32string(carets, U' ');
                carets = 0;
                k = i;
                break;
            }
        }
    }
    if (k + 1 >= n) return line;
    for (; k < n; ++k) {
        const char32_t c = line[k];
        if (c == kCaret) {
            pending.push_back(c);
            ++carets;
            continue;
        }
        const std::size_t half = carets / 2;
        if (isGap(line, k)) {
            if (half < 1) {
                pending.push_back(U' ');
            } else {
                head += std::u32string(half, U' ') + pending + U' ';
                pending.clear();
            }
            carets = 0;
        } else if (k + 1 < n) {
            pending.push_back(c);
        } else {
            if (n <= kNarrowLine) carets = half;
            if (carets < 1) {
                pending.push_back(c);
            } else {
                head += std::u32string(carets, U' ') + pending + c;
                pending.clear();
            }
            carets = 0;
        }
    }
    return head + pending;
}

}  // namespace

TBoldText doBold(const StringList& lines) {
    TBoldText result;
    result.lines.reserve(lines.size());
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::u32string original = toCodePoints(lines[index]);
        if (original.find(kCaret) == std::u32string::npos) {
            result.lines.push_back(lines[index]);
            continue;
        }
        const std::u32string spaced = respace(original);
        // A character right after a caret is bold; the carets go.
        std::u32string plain;
        plain.reserve(spaced.size());
        for (std::size_t i = 0; i < spaced.size(); ++i) {
            if (spaced[i] == kCaret) continue;
            if (i > 0 && spaced[i - 1] == kCaret) {
                auto& ranges = result.bold;
                if (!ranges.empty() && ranges.back().line == index &&
                    ranges.back().start + ranges.back().length == plain.size()) {
                    ++ranges.back().length;
                } else {
                    ranges.push_back({index, plain.size(), 1});
                }
            }
            plain.push_back(spaced[i]);
        }
        result.lines.push_back(toUtf8(plain));
    }
    return result;
}

}  // namespace tessel
