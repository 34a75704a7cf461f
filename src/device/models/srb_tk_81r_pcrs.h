#pragma once

#include <span>
#include <string_view>

namespace tessel {

struct TPCRCatalogueEntry {
    std::string_view code;
    std::string_view name;
};

// The property code records of the TK-81R in the order they are added. The
// list keeps the device's own repetitions: code 000021003 twice, and the
// names sdn_Sum_InOut and nre_Service_EIK twice each.
std::span<const TPCRCatalogueEntry> srb_TK_81R_PCRCatalogue();

}  // namespace tessel
