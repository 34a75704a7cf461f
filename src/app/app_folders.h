#pragma once

#include <string>

namespace tessel {

// The application's two working folders, each ending in "Tessel/SRB/": in the
// user's application-data folder and in the user's documents folder.
struct TAppFolders {
    std::string appData;
    std::string log;
};

// Finds and creates both folders with any missing parents. Raises
// std::runtime_error with "getFolders:" in front of the cause on failure.
TAppFolders getFolders();

}  // namespace tessel
