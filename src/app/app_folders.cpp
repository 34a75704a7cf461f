#include "app/app_folders.h"

#include <cstdlib>
#include <stdexcept>

#include "errors/user_folders.h"

namespace tessel {

namespace {

constexpr const char* kSubFolder = "Tessel/SRB/";

std::string documentsFolder() {
    if (const char* docs = std::getenv("XDG_DOCUMENTS_DIR"); docs != nullptr && *docs != '\0')
        return docs;
    const std::string home = userHomeFolder();
    return home.empty() ? std::string() : home + "/Documents";
}

std::string madeFolder(const std::string& base, const char* what) {
    if (base.empty()) throw std::runtime_error(std::string("getFolders:no ") + what + " folder");
    std::string folder = base;
    if (folder.back() != '/') folder += '/';
    folder += kSubFolder;
    if (!ensureFolder(folder))
        throw std::runtime_error("getFolders:cannot create the folder " + folder);
    return folder;
}

}  // namespace

TAppFolders getFolders() {
    TAppFolders folders;
    folders.appData = madeFolder(userDataFolder(), "application-data");
    folders.log = madeFolder(documentsFolder(), "documents");
    return folders;
}

}  // namespace tessel
