#pragma once

#include <array>
#include <string_view>

namespace tessel {

// The pages of the main window's stack, by index, as the navigation tree
// and the enabling rules name them.
enum TPageIndex : int {
    pgInit = 0,
    pgItems = 1,
    pgOther = 2,
    pgClishe = 3,
    pgParams = 4,
    pgFiscalization = 5,
    pgKLEN = 6,
    pgOperators = 7,
    pgKeys = 8,
    pgCorrections = 9,
    pgCashINOUT = 10,
    pgTest = 11,
    pgCommunication = 12,
    pgStockGrp = 13,
    pgNone = 14,
    pgClients = 15,
    pgConnect = 16,
    pgCustom = 17,
};

struct TPageInfo {
    std::string_view name;   // the page's object name
    std::string_view title;  // what a page that is not built yet shows
};

inline constexpr int kPageCount = 18;

inline constexpr std::array<TPageInfo, kPageCount> kPages{{
    {"jvpg_Sub__Root_01_Init", ""},
    {"jvpg_Sub__Root_03_Items", "Items"},
    {"jvpg_Sub__Root_04_Other", ""},
    {"jvpg_Sub_01_Clishe", "Date & Logo"},
    {"jvpg_Sub_03_Params", "Parameters & Format"},
    {"jvpg_Sub_06_Fiscalization", "Fiscalization"},
    {"jvpg_Sub_11_KLEN", "EJournal"},
    {"jvpg_Sub_15_Operators", "Operators"},
    {"jvpg_Sub_16_Keys", "Keys"},
    {"jvpg_Sub_17_Corrections", "Discounts and surcharges"},
    {"jvpg_Sub_19_CashINOUT", "Cash in and out"},
    {"jvpg_Sub_21_Test", "Test receipts"},
    {"jvpg_Sub_24_Communication", "Communication"},
    {"jvpg_Sub_22_StockGrp", "Stock groups"},
    {"jvpg_None", ""},
    {"jvpg_Sub_27_Clients", "Clients"},
    {"jvpg_Connect", "Connect/Disconnect"},
    {"jvpg_Sub__Root_06_Custom", "Custom command"},
}};

struct TNodeInfo {
    std::string_view caption;
    int parent;     // node index, -1 for a top-level node
    int startPage;  // the page the node shows until identification redirects it
};

inline constexpr int kNodeCount = 12;

inline constexpr std::array<TNodeInfo, kNodeCount> kNodes{{
    {"Device setup", -1, pgClishe},
    {"Date & Logo", 0, pgClishe},
    {"Communication", 0, pgCommunication},
    {"Parameters & Format", 0, pgParams},
    {"Fiscalization", 0, pgFiscalization},
    {"Items", -1, pgItems},
    {"EJournal", -1, pgKLEN},
    {"Operators", -1, pgOperators},
    {"Keys", -1, pgKeys},
    {"Clients", -1, pgClients},
    {"Custom command", -1, pgCustom},
    {"Connect/Disconnect", -1, pgConnect},
}};

// Nodes that identification points elsewhere.
inline constexpr int kNodeDateLogo = 1;
inline constexpr int kNodeItems = 5;
inline constexpr int kNodeKeys = 8;
inline constexpr int kNodeClients = 9;
inline constexpr int kNodeConnect = 11;

}  // namespace tessel
