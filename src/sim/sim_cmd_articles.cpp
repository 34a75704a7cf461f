// Command 107: the article (PLU) table.

#include "sim/sim_commands.h"
#include "sim/sim_errors.h"
#include "util/utf8.h"

namespace tessel::sim {

namespace {

// Parameter positions of "P".
enum ProgramField : std::size_t {
    kPlu = 1,
    kTax,
    kStockGroup,
    kPriceType,
    kPrice,
    kUnused,
    kStockQty,
    kSingleSale,
    kBarcode1,
    kName = kBarcode1 + 4,
    kProgramFieldCount
};

constexpr std::size_t kNameLength = 40;
constexpr std::size_t kBarcodeLength = 13;

Reply articleReply(int plu, const Article& a) {
    Fields fields{std::to_string(plu),          a.taxGroup,
                  std::to_string(a.stockGroup), std::to_string(a.priceType),
                  formatFixed(a.price, 2),      formatFixed(a.turnover, 2),
                  formatFixed(a.soldQty, 3),    formatFixed(a.stockQty, 3),
                  a.singleSale ? "1" : "0"};
    fields.insert(fields.end(), a.barcodes.begin(), a.barcodes.end());
    fields.push_back(a.name);
    return {0, std::move(fields), std::nullopt};
}

Reply readArticle(CommandContext& ctx, const Fields& f) {
    const auto plu = integerAt(f, 1, kFirstPlu, kLastPlu);
    if (!plu) return Reply::error(err::badField(1));
    const auto found = ctx.state.articles.find(*plu);
    if (found == ctx.state.articles.end()) return Reply::error(err::kPluNotFound);
    return articleReply(*plu, found->second);
}

Reply programArticle(CommandContext& ctx, const Fields& f) {
    if (f.size() < kProgramFieldCount) return Reply::error(err::syntaxOfField(f.size()));
    const auto plu = integerAt(f, kPlu, kFirstPlu, kLastPlu);
    if (!plu) return Reply::error(err::badField(kPlu));
    Article a;
    const auto existing = ctx.state.articles.find(*plu);
    if (existing != ctx.state.articles.end()) a = existing->second;  // keeps its counters
    a.taxGroup = f[kTax];
    if (a.taxGroup.empty() || codePointCount(a.taxGroup) > 1)
        return Reply::error(err::badField(kTax));
    const auto stock = integerAt(f, kStockGroup, 1, 99);
    if (!stock) return Reply::error(err::badField(kStockGroup));
    const auto priceType = integerAt(f, kPriceType, 0, 1);
    if (!priceType) return Reply::error(err::badField(kPriceType));
    const auto price = parseFixed(f[kPrice], 2);
    if (!price || *price < 0) return Reply::error(err::badField(kPrice));
    const auto stockQty = parseFixed(f[kStockQty], 3);
    if (!stockQty) return Reply::error(err::badField(kStockQty));
    if (f[kSingleSale] != "0" && f[kSingleSale] != "1")
        return Reply::error(err::badField(kSingleSale));
    for (std::size_t i = 0; i < a.barcodes.size(); ++i) {
        const std::string& code = f[kBarcode1 + i];
        if (code.size() > kBarcodeLength) return Reply::error(err::badField(kBarcode1 + i));
        a.barcodes[i] = code;
    }
    if (codePointCount(f[kName]) > kNameLength) return Reply::error(err::badField(kName));
    a.stockGroup = *stock;
    a.priceType = *priceType;
    a.price = *price;
    a.stockQty = *stockQty;
    a.singleSale = f[kSingleSale] == "1";
    a.name = f[kName];
    ctx.state.articles[*plu] = a;
    ctx.changed = true;
    return {};
}

Reply findArticle(CommandContext& ctx, const Fields& f, bool upwards) {
    const auto start = integerAt(f, 1, kFirstPlu, kLastPlu);
    if (!start) return Reply::error(err::badField(1));
    const auto& articles = ctx.state.articles;
    if (upwards) {
        const auto found = articles.lower_bound(*start);
        if (found == articles.end()) return Reply::error(err::kPluNotFound);
        return articleReply(found->first, found->second);
    }
    auto found = articles.upper_bound(*start);
    if (found == articles.begin()) return Reply::error(err::kPluNotFound);
    --found;
    return articleReply(found->first, found->second);
}

}  // namespace

Reply cmdArticles(CommandContext& ctx, const Fields& f) {
    if (f.empty()) return Reply::error(err::syntaxOfField(0));
    const std::string& option = f[0];
    if (option == "R") return readArticle(ctx, f);
    if (option == "F") return findArticle(ctx, f, true);
    if (option == "L") return findArticle(ctx, f, false);
    if (option != "P" && option != "D") return Reply::error(err::badField(0));
    // The article table cannot change under an open receipt.
    if (ctx.state.receipt.open) return Reply::error(err::kReceiptOpened);
    return option == "P"
               ? programArticle(ctx, f)
               : deleteRecords(ctx, ctx.state.articles, f, kFirstPlu, kLastPlu, err::kPluNotFound);
}

}  // namespace tessel::sim
