#include "errors/user_folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tessel {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string userDataFolder() {
    // A relative value is invalid by the XDG rules and is ignored.
    auto xdg = environment("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/') return xdg;
    auto home = userHomeFolder();
    return home.empty() ? std::string() : (fs::path(home) / ".local" / "share").string();
}

std::string userHomeFolder() {
    return environment("HOME");
}

bool ensureFolder(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

}  // namespace tessel
