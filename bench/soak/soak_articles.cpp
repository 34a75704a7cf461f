#include "soak_articles.h"

#include <array>

#include "sim/sim_text.h"
#include "util/device_text.h"

namespace tessel::soak {

namespace {

constexpr char kTab = '\t';
// The tax group letters the Items page maps its VAT values to.
constexpr std::array<const char*, 4> kTaxLetters{"А", "Г", "Ђ", "Е"};
constexpr std::array<const char*, 5> kWords{"Хлеб", "Mleko", "Šećer", "Ђумбир", "Čaj"};

}  // namespace

sim::Article articleFor(int plu) {
    sim::Article a;
    a.taxGroup = kTaxLetters[static_cast<std::size_t>(plu) % kTaxLetters.size()];
    a.stockGroup = 1 + plu % 99;
    a.priceType = plu % 2;
    a.price = static_cast<std::int64_t>(plu) * 37 % 1000000;
    a.stockQty = static_cast<std::int64_t>(plu) * 1013 % 10000000;
    a.singleSale = plu % 3 == 0;
    a.barcodes = {std::to_string(8600000000000LL + plu), "", std::to_string(plu), ""};
    a.name = std::string(kWords[static_cast<std::size_t>(plu) % kWords.size()]) + " " +
             std::to_string(plu);
    return a;
}

std::string programText(int plu, const sim::Article& a) {
    std::string t = "P";
    const auto field = [&t](const std::string& value) {
        t += kTab;
        t += value;
    };
    field(std::to_string(plu));
    field(a.taxGroup);
    field(std::to_string(a.stockGroup));
    field(std::to_string(a.priceType));
    field(sim::formatFixed(a.price, 2));
    field("");
    field(sim::formatFixed(a.stockQty, 3));
    field(a.singleSale ? "1" : "0");
    for (const std::string& code : a.barcodes) field(code);
    field(nameToDeviceText(a.name));
    return t + kTab;
}

std::string readText(int plu) {
    return std::string("R") + kTab + std::to_string(plu) + kTab;
}

std::vector<std::string> expectedReadFields(int plu, const sim::Article& a) {
    std::vector<std::string> f{"0",
                               std::to_string(plu),
                               a.taxGroup,
                               std::to_string(a.stockGroup),
                               std::to_string(a.priceType),
                               sim::formatFixed(a.price, 2),
                               sim::formatFixed(a.turnover, 2),
                               sim::formatFixed(a.soldQty, 3),
                               sim::formatFixed(a.stockQty, 3),
                               a.singleSale ? "1" : "0"};
    f.insert(f.end(), a.barcodes.begin(), a.barcodes.end());
    f.push_back(a.name);
    return f;
}

bool sameProgrammedContent(const sim::Article& stored, const sim::Article& sent) {
    return stored.taxGroup == sent.taxGroup && stored.stockGroup == sent.stockGroup &&
           stored.priceType == sent.priceType && stored.price == sent.price &&
           stored.stockQty == sent.stockQty && stored.singleSale == sent.singleSale &&
           stored.barcodes == sent.barcodes && stored.name == nameToDeviceText(sent.name);
}

}  // namespace tessel::soak
