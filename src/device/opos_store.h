#pragma once

#include <string>

namespace tessel {

// The OPOS property store of the fiscal device component. It carries no
// properties yet: the OPOS property mapping fills it with its collections.
class TROPOS {
public:
    const std::string& Version() const { return fVersion; }

private:
    std::string fVersion = "1.0.0.0";
};

}  // namespace tessel
