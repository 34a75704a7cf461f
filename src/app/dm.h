#pragma once

#include "errors/err_container.h"
#include "util/fd_misc.h"

namespace tessel {

// The data module: the components behind the window. The utility component
// shows its messages through the presenter the program installs.
class Tdm {
public:
    Tdm();
    Tdm(const Tdm&) = delete;
    Tdm& operator=(const Tdm&) = delete;

    TFDMisc misc;
    TErrContainer err_;
};

}  // namespace tessel
