#pragma once

#include <cstdint>
#include <string>

namespace tessel {

enum class TFolderTargetType : std::uint8_t {
    ftt_Unknown = 0,
    ftt_Log = 1,
    ftt_AppData = 2,
    ftt_RealApp = 3,
    ftt_Personal = 4,
};

// The container's four working folders. Every stored folder ends with the
// path delimiter, so a file name can be appended directly.
class TFolders {
public:
    const std::string& Log() const { return fLogFolder; }
    void setLog(const std::string& value) { fLogFolder = check_ForPathDelimiter(value); }
    const std::string& AppData() const { return fAppData; }
    void setAppData(const std::string& value) { fAppData = check_ForPathDelimiter(value); }
    const std::string& RealApp() const { return fRealApp; }
    void setRealApp(const std::string& value) { fRealApp = check_ForPathDelimiter(value); }
    const std::string& Personal() const { return fPersonal; }
    void setPersonal(const std::string& value) { fPersonal = check_ForPathDelimiter(value); }

    // Adds the trailing delimiter when missing. An empty folder stays empty:
    // a lone delimiter would turn "no folder" into the root folder.
    static std::string check_ForPathDelimiter(const std::string& sourceFolder);

private:
    // Empty until set: there is no fixed fallback folder on this system.
    std::string fLogFolder;
    std::string fAppData;
    std::string fPersonal;
    std::string fRealApp;
};

// Results of the write test of each working folder.
class TAccessTo {
public:
    bool LogFolder() const { return fLogFolder; }
    bool AppDataFolder() const { return fAppDataFolder; }
    bool PersonalFolder() const { return fPersonalFolder; }
    bool RealAppFolder() const { return fRealAppFolder; }

    // Creates the folder with its parents when missing, then writes and
    // removes a small test file in it. Never raises.
    static bool check_AccessToFolder(const std::string& targetFolder);

    // Tests the folder and stores the result in the flag of its type. The
    // program's own folder is only checked for write permission: nothing is
    // created next to the installed program.
    void check_AccessTo(const std::string& targetFolder, TFolderTargetType folderTargetType);

private:
    bool fLogFolder = false;
    bool fAppDataFolder = false;
    bool fPersonalFolder = false;
    bool fRealAppFolder = false;
};

}  // namespace tessel
