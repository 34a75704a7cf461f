// Receipts (43, 48, 58, 76, 53, 56) and cash in/out (70).

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kNumberLength = 16;
constexpr int kPaymentTypes = 4;
const char* const kPaymentNames[kPaymentTypes] = {"Gotovina", "Kartica", "Cek", "Virman"};

bool isDigits(const std::string& text) {
    if (text.empty() || text.size() > kNumberLength) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

const std::string& parameter(const CommandContext& ctx, const char* name) {
    return ctx.state.parameters.at(name).at(0);
}

// Operator number and password in fields 0 and 1; 0 when they are right.
std::int32_t checkOperator(const CommandContext& ctx, const Fields& f) {
    const auto number = integerAt(f, 0, 1, kOperatorCount);
    if (!number) return err::badField(0);
    if (ctx.state.parameters.at("OperPasw").at(static_cast<std::size_t>(*number - 1)) != f[1]) {
        return err::kWrongOperatorPassword;
    }
    return 0;
}

std::int32_t checkCanPrint(const CommandContext& ctx) {
    if (ctx.state.paperEnd) return err::kNoPaper;
    if (journalFull(ctx)) return err::kJournalFull;
    return 0;
}

Reply openReceipt(CommandContext& ctx, const Fields& f, bool reclamation) {
    const std::size_t needed = reclamation ? 5 : 4;
    if (f.size() < needed) return Reply::error(err::syntaxOfField(f.size()));
    if (ctx.state.receipt.open) return Reply::error(err::kReceiptOpened);
    if (const auto code = checkOperator(ctx, f)) return Reply::error(code);
    const std::size_t iosaField = reclamation ? 4 : 2;
    if (!isDigits(f[iosaField])) return Reply::error(err::badField(iosaField));
    if (reclamation && !isDigits(f[3])) return Reply::error(err::badField(3));
    if (const auto code = checkCanPrint(ctx)) return Reply::error(code);
    Receipt r;
    r.open = true;
    r.reclamation = reclamation;
    r.operatorNumber = static_cast<int>(*parseInteger(f[0]));
    r.iosa = f[iosaField];
    if (reclamation) r.reference = f[3];
    ctx.state.receipt = r;
    ctx.changed = true;
    return {0, {std::to_string(ctx.state.nextDocument)}, std::nullopt};
}

// A sale line's quantity (thousandths) times its price (hundredths), in
// hundredths rounded half up.
std::int64_t lineBase(std::int64_t quantity, std::int64_t price) {
    return (quantity * price + 500) / 1000;
}

std::int64_t change(const Receipt& r) {
    return r.paid > r.total ? r.paid - r.total : 0;
}

std::vector<std::string> receiptDocument(const CommandContext& ctx, int number) {
    const Receipt& r = ctx.state.receipt;
    std::vector<std::string> lines{
        "          TESSEL SRB DOO",
        r.reclamation ? "   ^R^E^K^L^A^M^A^C^I^J^A" : "   ^F^I^S^K^A^L^N^I  ^R^A^C^U^N"};
    if (r.reclamation) lines.push_back("Ref. racun: " + r.reference);
    for (const SaleLine& l : r.lines) {
        lines.push_back(
            columnsLine({l.name, formatFixed(l.quantity, 3) + " x " + formatFixed(l.price, 2),
                         formatFixed(l.amount, 2) + ' ' + l.taxGroup}));
    }
    lines.push_back("----------------------------------------");
    lines.push_back("^U^K^U^P^N^O  " + formatFixed(r.total, 2));
    if (change(r) > 0) lines.push_back(columnsLine({"Kusur", formatFixed(change(r), 2)}));
    lines.push_back("IOSA: " + r.iosa);
    lines.push_back("Racun br. " + std::to_string(number));
    lines.push_back(
        "Kasir: " +
        ctx.state.parameters.at("OperName").at(static_cast<std::size_t>(r.operatorNumber - 1)));
    return lines;
}

void bookArticles(CommandContext& ctx) {
    const Receipt& r = ctx.state.receipt;
    const std::int64_t sign = r.reclamation ? -1 : 1;
    for (const SaleLine& l : r.lines) {
        const auto found = ctx.state.articles.find(l.plu);
        if (found == ctx.state.articles.end()) continue;  // deleted meanwhile
        Article& a = found->second;
        a.turnover += sign * l.amount;
        a.soldQty += sign * l.quantity;
        a.stockQty -= sign * l.quantity;
    }
}

}  // namespace

Reply cmdOpenSale(CommandContext& ctx, const Fields& f) {
    return openReceipt(ctx, f, false);
}

Reply cmdOpenReclamation(CommandContext& ctx, const Fields& f) {
    return openReceipt(ctx, f, true);
}

Reply cmdSaleLine(CommandContext& ctx, const Fields& f) {
    Receipt& r = ctx.state.receipt;
    if (!r.open) return Reply::error(err::kReceiptClosed);
    if (r.paid > 0) return Reply::error(err::kPaymentInitiated);
    const auto plu = integerAt(f, 0, kFirstPlu, kLastPlu);
    if (!plu) return Reply::error(err::badField(0));
    const auto found = ctx.state.articles.find(*plu);
    if (found == ctx.state.articles.end()) return Reply::error(err::kPluNotFound);
    const auto quantity = parseFixed(fieldAt(f, 1), 3);
    if (!quantity || *quantity <= 0) return Reply::error(err::badField(1));
    std::int64_t price = found->second.price;
    if (!fieldAt(f, 2).empty()) {
        const auto given = parseFixed(fieldAt(f, 2), 2);
        if (!given || *given < 0) return Reply::error(err::badField(2));
        price = *given;
    }
    const std::string& kind = fieldAt(f, 3);
    if (!kind.empty() && kind != "0" && kind != "1" && kind != "2")
        return Reply::error(err::badField(3));
    std::int64_t percent = 0;  // hundredths of a percent
    if (kind == "1" || kind == "2") {
        const auto given = parseFixed(fieldAt(f, 4), 2);
        if (!given) return Reply::error(err::badField(4));
        percent = *given < 0 ? -*given : *given;
        if (percent > 10000) return Reply::error(err::badField(4));
        const char* forbidden = kind == "1" ? "KeyNDB_forbidden" : "KeyOTS_forbidden";
        if (parameter(ctx, forbidden) == "1") return Reply::error(err::kForbiddenCorrectionKey);
    }
    const std::int64_t base = lineBase(*quantity, price);
    const std::int64_t correction = (base * percent + 5000) / 10000;
    const std::int64_t amount = kind == "1" ? base + correction : base - correction;
    r.lines.push_back(
        {found->first, found->second.name, found->second.taxGroup, *quantity, price, amount});
    r.total += amount;
    ctx.changed = true;
    return {0, {formatFixed(amount, 2), formatFixed(r.total, 2)}, std::nullopt};
}

Reply cmdReceiptAmounts(CommandContext& ctx, const Fields&) {
    const Receipt& r = ctx.state.receipt;
    std::int64_t corrections = 0;
    for (const SaleLine& l : r.lines) corrections += l.amount - lineBase(l.quantity, l.price);
    return {0,
            {r.open ? "1" : "0", std::to_string(r.lines.size()),
             std::to_string(ctx.state.nextDocument), r.reclamation ? "1" : "0",
             formatFixed(corrections, 2), formatFixed(r.total, 2), formatFixed(r.paid, 2)},
            std::nullopt};
}

Reply cmdPayment(CommandContext& ctx, const Fields& f) {
    Receipt& r = ctx.state.receipt;
    if (!r.open) return Reply::error(err::kReceiptClosed);
    if (r.lines.empty()) return Reply::error(err::kNoTransactions);
    const auto type = integerAt(f, 0, 0, kPaymentTypes - 1);
    if (!type) return Reply::error(err::badField(0));
    const std::int64_t due = r.total > r.paid ? r.total - r.paid : 0;
    std::int64_t amount = due;  // no amount pays the rest
    if (!fieldAt(f, 1).empty()) {
        const auto given = parseFixed(fieldAt(f, 1), 2);
        if (!given || *given <= 0) return Reply::error(err::badField(1));
        amount = *given;
    }
    // Only cash gives change.
    if (*type != 0 && amount > due) return Reply::error(err::kSumBiggerThanReceipt);
    r.paid += amount;
    if (*type == 0) r.cashPaid += amount;
    ctx.changed = true;
    const std::int64_t rest = r.total > r.paid ? r.total - r.paid : 0;
    return {
        0, {formatFixed(rest, 2), formatFixed(change(r), 2), kPaymentNames[*type]}, std::nullopt};
}

Reply cmdCloseReceipt(CommandContext& ctx, const Fields&) {
    Receipt& r = ctx.state.receipt;
    if (!r.open) return Reply::error(err::kReceiptClosed);
    if (r.lines.empty()) return Reply::error(err::kNoTransactions);
    if (r.paid == 0) return Reply::error(err::kPaymentNotInitiated);
    if (r.paid < r.total) return Reply::error(err::kSumSmallerThanReceipt);
    const std::int64_t cash = r.cashPaid - change(r);
    if (r.reclamation && cash > ctx.state.cashInDrawer) return Reply::error(err::kNoCash);
    if (const auto code = checkCanPrint(ctx)) return Reply::error(code);
    ctx.state.cashInDrawer += r.reclamation ? -cash : cash;
    bookArticles(ctx);
    const int number = ctx.state.nextDocument;
    addJournalDocument(ctx, receiptDocument(ctx, number));
    ctx.state.receipt = Receipt{};
    return {0, {std::to_string(number)}, std::nullopt};
}

Reply cmdCashInOut(CommandContext& ctx, const Fields& f) {
    const std::string& kind = fieldAt(f, 0);
    if (kind != "0" && kind != "1")
        return Reply::error(kind.empty() ? err::syntaxOfField(0) : err::badField(0));
    const auto amount = parseFixed(fieldAt(f, 1), 2);
    if (!amount || *amount <= 0) return Reply::error(err::badField(1));
    if (ctx.state.receipt.open) return Reply::error(err::kReceiptOpened);
    const bool out = kind == "1";
    if (out && *amount > ctx.state.cashInDrawer) return Reply::error(err::kNoCash);
    if (const auto code = checkCanPrint(ctx)) return Reply::error(code);
    RegisterState& s = ctx.state;
    s.cashInDrawer += out ? -*amount : *amount;
    (out ? s.cashOutSum : s.cashInSum) += *amount;
    addJournalDocument(ctx,
                       {out ? "   ^I^Z^N^O^S  ^G^O^T^O^V^I^N^E" : "   ^P^O^L^O^G  ^G^O^T^O^V^I^N^E",
                        columnsLine({"Iznos", formatFixed(*amount, 2)}),
                        columnsLine({"U kasi", formatFixed(s.cashInDrawer, 2)})});
    return {
        0,
        {formatFixed(s.cashInDrawer, 2), formatFixed(s.cashInSum, 2), formatFixed(s.cashOutSum, 2)},
        std::nullopt};
}

}  // namespace tessel::sim
