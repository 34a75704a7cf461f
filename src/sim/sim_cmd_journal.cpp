// Commands 124 and 125: the electronic journal. Documents are kept as the
// register prints them: a caret before each emphasised character, and lines
// of columns that start with 0x1D and separate the columns with 0x1D.

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"

namespace tessel::sim {

namespace {

constexpr char kColumn = '\x1D';
constexpr int kLastDocument = 99999999;

int findDocument(const RegisterState& state, int number) {
    for (std::size_t i = 0; i < state.journal.size(); ++i) {
        if (state.journal[i].number == number) return static_cast<int>(i);
    }
    return -1;
}

Reply selectDocument(CommandContext& ctx, const Fields& f) {
    const auto number = integerAt(f, 1, 1, kLastDocument);
    if (!number) return Reply::error(err::badField(1));
    const int found = findDocument(ctx.state, *number);
    if (found < 0) return Reply::error(err::kNoJournalRecords);
    ctx.session.journalDocument = found;
    ctx.session.journalLine = 0;
    return {0, {std::to_string(*number)}, std::nullopt};
}

Reply nextLine(CommandContext& ctx) {
    const int selected = ctx.session.journalDocument;
    if (selected < 0 || static_cast<std::size_t>(selected) >= ctx.state.journal.size()) {
        return Reply::error(err::kNoJournalRecords);
    }
    const auto& lines = ctx.state.journal[static_cast<std::size_t>(selected)].lines;
    if (ctx.session.journalLine >= lines.size()) return Reply::error(err::kNoMoreData);
    return {0, {lines[ctx.session.journalLine++]}, std::nullopt};
}

std::vector<std::string> sampleReceipt(int number, const char* item, const char* quantity,
                                       const char* price, const char* amount) {
    return {"          TESSEL SRB DOO",
            "      Bulevar 1, Beograd",
            "   ^F^I^S^K^A^L^N^I  ^R^A^C^U^N",
            columnsLine(
                {item, std::string(quantity) + " x " + price, std::string(amount) + " \xD0\x90"}),
            "----------------------------------------",
            std::string("^U^K^U^P^N^O  ") + amount,
            columnsLine({"Gotovina", amount}),
            "Racun br. " + std::to_string(number),
            "Kasir: Operator 1"};
}

}  // namespace

std::string columnsLine(const Fields& columns) {
    std::string line;
    for (const std::string& c : columns) line += kColumn + c;
    return line;
}

bool journalFull(const CommandContext& ctx) {
    return ctx.state.journal.size() >= ctx.journalCapacity;
}

void addJournalDocument(CommandContext& ctx, std::vector<std::string> lines) {
    const int number = ctx.state.nextDocument++;
    lines.push_back(formatRegisterTime(ctx.now, false));
    ctx.state.journal.push_back({number, ctx.now, std::move(lines)});
    ctx.changed = true;
}

void addSampleJournal(RegisterState& state, LocalSeconds now) {
    constexpr LocalSeconds kDay = 86400;
    const LocalSeconds morning = now - now % kDay - 3 * kDay + 9 * 3600;
    struct Sample {
        const char *item, *quantity, *price, *amount;
    };
    const Sample samples[] = {{"Hleb", "2.000", "55.00", "110.00"},
                              {"Mleko 1l", "1.000", "129.99", "129.99"},
                              {"Secer 1kg", "3.000", "99.00", "297.00"},
                              {"Kafa 200g", "1.000", "349.00", "349.00"},
                              {"Voda 1.5l", "6.000", "45.00", "270.00"}};
    LocalSeconds time = morning;
    for (const Sample& s : samples) {
        const int number = state.nextDocument++;
        auto lines = sampleReceipt(number, s.item, s.quantity, s.price, s.amount);
        lines.push_back(formatRegisterTime(time, false));
        state.journal.push_back({number, time, std::move(lines)});
        time += 14 * 3600;
    }
}

Reply cmdJournal(CommandContext& ctx, const Fields& f) {
    const std::string& option = fieldAt(f, 0);
    if (option == "0") return selectDocument(ctx, f);
    if (option == "1") return nextLine(ctx);
    if (option == "3") {
        if (ctx.state.paperEnd) return Reply::error(err::kNoPaper);
        return selectDocument(ctx, f);  // printing also selects it for reading
    }
    if (option.empty()) return Reply::error(err::syntaxOfField(0));
    return Reply::error(err::badField(0));
}

Reply cmdJournalPeriod(CommandContext& ctx, const Fields& f) {
    const auto start = parseRegisterTime(fieldAt(f, 0));
    if (!start) return Reply::error(err::badField(0));
    const auto end = parseRegisterTime(fieldAt(f, 1));
    if (!end) return Reply::error(err::badField(1));
    const JournalDocument* first = nullptr;
    const JournalDocument* last = nullptr;
    for (const JournalDocument& d : ctx.state.journal) {
        if (d.time < *start || d.time > *end) continue;
        if (!first) first = &d;
        last = &d;
    }
    if (!first) return Reply::error(err::kNoJournalRecords);
    return {0,
            {formatRegisterTime(first->time, false), formatRegisterTime(last->time, false),
             std::to_string(first->number), std::to_string(last->number)},
            std::nullopt};
}

}  // namespace tessel::sim
