#pragma once

// What the simulated register keeps: everything here survives a restart
// when a state file is used. Amounts are kept in hundredths, quantities in
// thousandths, text as UTF-8.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/sim_clock.h"
#include "util/bytes.h"

namespace tessel::sim {

constexpr int kFirstPlu = 1;
constexpr int kLastPlu = 24000;
constexpr int kFirstClient = 1;
constexpr int kLastClient = 100000;
constexpr int kOperatorCount = 30;

struct Article {
    std::string taxGroup;
    int stockGroup = 1;
    int priceType = 0;
    std::int64_t price = 0;     // hundredths
    std::int64_t turnover = 0;  // hundredths
    std::int64_t soldQty = 0;   // thousandths
    std::int64_t stockQty = 0;  // thousandths
    bool singleSale = false;
    std::array<std::string, 4> barcodes;
    std::string name;
};

struct Client {
    std::string name;
    std::string tin;
    std::string vat;
};

struct JournalDocument {
    int number = 0;
    LocalSeconds time = 0;
    std::vector<std::string> lines;
};

struct SaleLine {
    int plu = 0;
    std::string name;
    std::string taxGroup;
    std::int64_t quantity = 0;  // thousandths
    std::int64_t price = 0;     // hundredths
    std::int64_t amount = 0;    // hundredths, correction included
};

struct Receipt {
    bool open = false;
    bool reclamation = false;
    int operatorNumber = 0;
    std::string iosa;       // number of the register's secure element session
    std::string reference;  // receipt a reclamation refers to
    std::vector<SaleLine> lines;
    std::int64_t total = 0;     // hundredths
    std::int64_t paid = 0;      // hundredths
    std::int64_t cashPaid = 0;  // hundredths, part of paid
};

// Named parameters (command 255): canonical name -> one value per index.
using ParameterValues = std::map<std::string, std::vector<std::string>>;

struct RegisterState {
    std::map<int, Article> articles;
    std::map<int, Client> clients;
    ParameterValues parameters;
    std::string serialNumber;
    bool fiscalized = false;
    LocalSeconds clockOffset = 0;  // register time minus host time
    std::vector<JournalDocument> journal;
    int nextDocument = 1;
    std::int64_t cashInDrawer = 0;
    std::int64_t cashInSum = 0;
    std::int64_t cashOutSum = 0;
    Receipt receipt;
    Bytes logo;  // the last BMP file uploaded
    bool paperEnd = false;
    bool paperNearEnd = false;
};

}  // namespace tessel::sim
