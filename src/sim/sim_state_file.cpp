#include "sim/sim_state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/sim_base64.h"
#include "sim/sim_params.h"
#include "sim/sim_text.h"

namespace tessel::sim {

namespace {

using nlohmann::json;

// Amounts and quantities are written as decimal text, as the register shows them.
std::int64_t fixedFrom(const json& j, const char* key, int decimals) {
    const std::string text = j.value(key, std::string("0"));
    const auto value = parseFixed(text, decimals);
    if (!value)
        throw StateFileError(std::string("\"") + key + "\" is not an amount: \"" + text + "\"");
    return *value;
}

LocalSeconds timeFrom(const json& j, const char* key) {
    const std::string text = j.at(key).get<std::string>();
    const auto value = parseRegisterTime(text);
    if (!value)
        throw StateFileError(std::string("\"") + key + "\" is not a date and time: \"" + text +
                             "\"");
    return *value;
}

json toJson(const Article& a, int plu) {
    return {{"plu", plu},
            {"taxGroup", a.taxGroup},
            {"stockGroup", a.stockGroup},
            {"priceType", a.priceType},
            {"price", formatFixed(a.price, 2)},
            {"turnover", formatFixed(a.turnover, 2)},
            {"soldQty", formatFixed(a.soldQty, 3)},
            {"stockQty", formatFixed(a.stockQty, 3)},
            {"singleSale", a.singleSale},
            {"barcodes", a.barcodes},
            {"name", a.name}};
}

Article articleFrom(const json& j) {
    Article a;
    a.taxGroup = j.value("taxGroup", std::string());
    a.stockGroup = j.value("stockGroup", 1);
    a.priceType = j.value("priceType", 0);
    a.price = fixedFrom(j, "price", 2);
    a.turnover = fixedFrom(j, "turnover", 2);
    a.soldQty = fixedFrom(j, "soldQty", 3);
    a.stockQty = fixedFrom(j, "stockQty", 3);
    a.singleSale = j.value("singleSale", false);
    a.barcodes = j.value("barcodes", std::array<std::string, 4>{});
    a.name = j.value("name", std::string());
    return a;
}

json toJson(const Receipt& r) {
    json lines = json::array();
    for (const SaleLine& l : r.lines) {
        lines.push_back({{"plu", l.plu},
                         {"name", l.name},
                         {"taxGroup", l.taxGroup},
                         {"quantity", formatFixed(l.quantity, 3)},
                         {"price", formatFixed(l.price, 2)},
                         {"amount", formatFixed(l.amount, 2)}});
    }
    return {{"open", r.open},
            {"reclamation", r.reclamation},
            {"operator", r.operatorNumber},
            {"iosa", r.iosa},
            {"reference", r.reference},
            {"lines", lines},
            {"total", formatFixed(r.total, 2)},
            {"paid", formatFixed(r.paid, 2)},
            {"cashPaid", formatFixed(r.cashPaid, 2)}};
}

Receipt receiptFrom(const json& j) {
    Receipt r;
    r.open = j.value("open", false);
    r.reclamation = j.value("reclamation", false);
    r.operatorNumber = j.value("operator", 0);
    r.iosa = j.value("iosa", std::string());
    r.reference = j.value("reference", std::string());
    for (const json& l : j.value("lines", json::array())) {
        r.lines.push_back({l.at("plu").get<int>(), l.value("name", std::string()),
                           l.value("taxGroup", std::string()), fixedFrom(l, "quantity", 3),
                           fixedFrom(l, "price", 2), fixedFrom(l, "amount", 2)});
    }
    r.total = fixedFrom(j, "total", 2);
    r.paid = fixedFrom(j, "paid", 2);
    r.cashPaid = fixedFrom(j, "cashPaid", 2);
    return r;
}

json toJson(const RegisterState& s) {
    json articles = json::array();
    for (const auto& [plu, a] : s.articles) articles.push_back(toJson(a, plu));
    json clients = json::array();
    for (const auto& [number, c] : s.clients) {
        clients.push_back({{"number", number}, {"name", c.name}, {"tin", c.tin}, {"vat", c.vat}});
    }
    json journal = json::array();
    for (const JournalDocument& d : s.journal) {
        journal.push_back({{"number", d.number},
                           {"time", formatRegisterTime(d.time, false)},
                           {"lines", d.lines}});
    }
    return {{"articles", articles},
            {"clients", clients},
            {"parameters", s.parameters},
            {"serialNumber", s.serialNumber},
            {"fiscalized", s.fiscalized},
            {"clockOffsetSeconds", s.clockOffset},
            {"journal", journal},
            {"nextDocument", s.nextDocument},
            {"cashInDrawer", formatFixed(s.cashInDrawer, 2)},
            {"cashInSum", formatFixed(s.cashInSum, 2)},
            {"cashOutSum", formatFixed(s.cashOutSum, 2)},
            {"receipt", toJson(s.receipt)},
            {"logo", encodeBase64(s.logo)},
            {"paperEnd", s.paperEnd},
            {"paperNearEnd", s.paperNearEnd}};
}

// Values the file gives for known parameters replace the factory ones;
// names the register does not know and extra indexes are left out.
void mergeParameters(const json& j, ParameterValues& values) {
    for (const auto& [name, list] : j.items()) {
        const ParamDef* def = findParameter(name);
        if (!def) continue;
        auto& target = values[def->name];
        const auto given = list.get<std::vector<std::string>>();
        for (std::size_t i = 0; i < given.size() && i < target.size(); ++i) target[i] = given[i];
    }
}

RegisterState stateFrom(const json& j, const std::string& model) {
    RegisterState s;
    for (const json& a : j.value("articles", json::array())) {
        const int plu = a.at("plu").get<int>();
        if (plu < kFirstPlu || plu > kLastPlu)
            throw StateFileError("article PLU " + std::to_string(plu) + " out of range");
        s.articles[plu] = articleFrom(a);
    }
    for (const json& c : j.value("clients", json::array())) {
        const int number = c.at("number").get<int>();
        if (number < kFirstClient || number > kLastClient)
            throw StateFileError("client " + std::to_string(number) + " out of range");
        s.clients[number] = {c.value("name", std::string()), c.value("tin", std::string()),
                             c.value("vat", std::string())};
    }
    s.parameters = factoryParameters(model);
    mergeParameters(j.value("parameters", json::object()), s.parameters);
    s.serialNumber = j.value("serialNumber", std::string());
    s.fiscalized = j.value("fiscalized", false);
    s.clockOffset = j.value("clockOffsetSeconds", LocalSeconds{0});
    for (const json& d : j.value("journal", json::array())) {
        s.journal.push_back({d.at("number").get<int>(), timeFrom(d, "time"),
                             d.value("lines", std::vector<std::string>{})});
    }
    s.nextDocument = j.value("nextDocument", 1);
    for (const JournalDocument& d : s.journal)
        s.nextDocument = std::max(s.nextDocument, d.number + 1);
    s.cashInDrawer = fixedFrom(j, "cashInDrawer", 2);
    s.cashInSum = fixedFrom(j, "cashInSum", 2);
    s.cashOutSum = fixedFrom(j, "cashOutSum", 2);
    s.receipt = receiptFrom(j.value("receipt", json::object()));
    const auto logo = decodeBase64(j.value("logo", std::string()));
    if (!logo) throw StateFileError("\"logo\" is not Base64");
    s.logo = *logo;
    s.paperEnd = j.value("paperEnd", false);
    s.paperNearEnd = j.value("paperNearEnd", false);
    return s;
}

std::size_t lineOfByte(const std::string& text, std::size_t byte) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) line += text[i] == '\n';
    return line;
}

}  // namespace

RegisterState loadStateFile(const std::string& path, const std::string& model) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw StateFileError("state file " + path + ": cannot read: " + std::strerror(errno));
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    json j;
    try {
        j = json::parse(text);
    } catch (const json::parse_error& e) {
        // The byte is one past the offending character.
        throw StateFileError("state file " + path + ": line " +
                             std::to_string(lineOfByte(text, e.byte > 0 ? e.byte - 1 : 0)) + ": " +
                             e.what());
    }
    try {
        if (!j.is_object()) throw StateFileError("the top level is not an object");
        return stateFrom(j, model);
    } catch (const std::exception& e) {
        throw StateFileError("state file " + path + ": invalid content: " + e.what());
    }
}

void saveStateFile(const std::string& path, const RegisterState& state) {
    const std::string text = toJson(state).dump(1) + '\n';
    const std::string temporary = path + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    for (std::size_t done = 0; ok && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        ok = n > 0 || (n < 0 && errno == EINTR);
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    const int saved = errno;
    if (fd >= 0) close(fd);
    if (!ok || rename(temporary.c_str(), path.c_str()) != 0) {
        const int cause = ok ? errno : saved;
        unlink(temporary.c_str());
        throw StateFileError("state file " + path + ": cannot write: " + std::strerror(cause));
    }
}

}  // namespace tessel::sim
