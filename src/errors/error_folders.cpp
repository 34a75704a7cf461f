#include "errors/error_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "errors/user_folders.h"

namespace tessel {

namespace fs = std::filesystem;

std::string TFolders::check_ForPathDelimiter(const std::string& sourceFolder) {
    if (sourceFolder.empty() || sourceFolder.back() == '/') return sourceFolder;
    return sourceFolder + '/';
}

namespace {

// A fresh, uniquely named file, so that a file of the user's own that
// happens to be called like the test file is never overwritten or removed.
bool writeAndRemoveTestFile(const std::string& folder) {
    std::string pattern = TFolders::check_ForPathDelimiter(folder) + "test_XXXXXX.txt";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return false;
    static constexpr char kLine[] = "Test file\r\n";
    const bool written = ::write(fd, kLine, sizeof kLine - 1) == sizeof kLine - 1;
    const bool closed = ::close(fd) == 0;
    const std::string path(name.data());
    std::error_code ec;
    if (!fs::exists(path, ec)) return false;
    fs::remove(path, ec);
    return written && closed && !fs::exists(path, ec) && !ec;
}

bool isWritableFolder(const std::string& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

bool TAccessTo::check_AccessToFolder(const std::string& targetFolder) {
    try {
        return ensureFolder(targetFolder) && writeAndRemoveTestFile(targetFolder);
    } catch (...) {
        return false;
    }
}

void TAccessTo::check_AccessTo(const std::string& targetFolder,
                               TFolderTargetType folderTargetType) {
    switch (folderTargetType) {
        case TFolderTargetType::ftt_Log:
            fLogFolder = check_AccessToFolder(targetFolder);
            break;
        case TFolderTargetType::ftt_AppData:
            fAppDataFolder = check_AccessToFolder(targetFolder);
            break;
        case TFolderTargetType::ftt_RealApp:
            fRealAppFolder = isWritableFolder(targetFolder);
            break;
        case TFolderTargetType::ftt_Personal:
            fPersonalFolder = check_AccessToFolder(targetFolder);
            break;
        case TFolderTargetType::ftt_Unknown:
            break;
    }
}

}  // namespace tessel
