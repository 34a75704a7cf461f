#pragma once

#include <string>

namespace tessel {

// The user's application-data folder: $XDG_DATA_HOME, else ~/.local/share.
// Empty when neither can be found.
std::string userDataFolder();

// The user's home folder ($HOME); empty when unset.
std::string userHomeFolder();

// Makes sure the folder exists, creating missing parents. An empty folder
// name fails rather than meaning the working directory.
bool ensureFolder(const std::string& folder);

}  // namespace tessel
