#pragma once

// The register state as a JSON file: read at start, written after every
// change by writing a temporary file and renaming it over the old one, so a
// crash never leaves half a file behind.

#include <stdexcept>
#include <string>

#include "sim/sim_state.h"

namespace tessel::sim {

class StateFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws StateFileError naming the file, and the line for a syntax error.
// Parameters the file does not name get their factory values for the model.
RegisterState loadStateFile(const std::string& path, const std::string& model);
// Throws StateFileError when the file cannot be written.
void saveStateFile(const std::string& path, const RegisterState& state);

}  // namespace tessel::sim
