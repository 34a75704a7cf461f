#include "errors/err_container.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "errors/error_exception.h"
#include "errors/error_text.h"
#include "errors/log_lines.h"
#include "errors/program_file.h"
#include "errors/user_folders.h"

namespace tessel {

namespace {

// Code carried by a failure that did not come with one of its own.
constexpr std::int32_t kGeneralFailure = -1;

// Runs a log operation, naming the method in front of any failure it raises.
template <typename Operation>
bool reportingFailuresOf(const char* method, Operation operation) {
    const std::string prefix = std::string("Exception in \"TErrContainer.") + method + "\" metod: ";
    try {
        return operation();
    } catch (const ETesselError& e) {
        throw ETesselError(e.code(), prefix + e.what());
    } catch (const std::exception& e) {
        throw ETesselError(kGeneralFailure, prefix + e.what());
    }
}

std::string withBlanksAsUnderscores(std::string text) {
    std::replace(text.begin(), text.end(), ' ', '_');
    return text;
}

}  // namespace

TErrContainer::TErrContainer() : fLastError_Message(errorText_ByCode(0, TErrorLanguages::English)) {
    init_Folders();
    init_LogFile();
    check_FoldersForAccess();
}

void TErrContainer::setLastErrorCode(std::int32_t value) {
    // The text follows the code and the language alone, so the same code
    // keeps its text; it is still logged again.
    if (value != fLastError_Code) {
        fLastError_Code = value;
        assign_ErrorText(value, fLanguage, fLastError_Message);
    }
    if (value != 0 && fLogFile.LogErrors()) log_LastError();
}

void TErrContainer::setLanguage(TErrorLanguages value) {
    fLanguage = value;
    assign_ErrorText(fLastError_Code, fLanguage, fLastError_Message);
    const bool latin = value == TErrorLanguages::Romanian || value == TErrorLanguages::Poland;
    fLogFile.setCodePage(latin ? 1250 : 1251);
}

std::string TErrContainer::get_ErrorMessageByCode(std::int32_t errorCode) const {
    return errorText_ByCode(errorCode, fLanguage);
}

bool TErrContainer::init_Folders() {
    try {
        const auto appData = userDataFolder();
        if (appData.empty()) return false;
        fFolders.setAppData(appData);
        const auto program = programFilePath();
        if (program.empty()) return false;
        fFolders.setRealApp(std::filesystem::path(program).parent_path().string());
        const auto personal = userHomeFolder();
        if (personal.empty()) return false;
        fFolders.setPersonal(personal);
        fFolders.setLog(fFolders.AppData() + "Log/");
        const auto name = programFileName();
        const auto baseName =
            withBlanksAsUnderscores(replaceAllNoCase(name, programFileExtension(name), ""));
        if (baseName.empty()) return false;
        fFolders.setLog(fFolders.Log() + baseName + "/");
        return true;
    } catch (...) {
        return false;
    }
}

bool TErrContainer::init_LogFile() {
    try {
        const auto name = programFileName();
        if (name.empty()) return false;
        fLogFile.setFileName(withBlanksAsUnderscores(TLogFile::logFileNameFor(name)));
        return true;
    } catch (...) {
        return false;
    }
}

bool TErrContainer::check_FoldersForAccess() {
    try {
        fAccessTo.check_AccessTo(fFolders.AppData(), TFolderTargetType::ftt_AppData);
        fAccessTo.check_AccessTo(fFolders.RealApp(), TFolderTargetType::ftt_RealApp);
        fAccessTo.check_AccessTo(fFolders.Personal(), TFolderTargetType::ftt_Personal);
        fAccessTo.check_AccessTo(fFolders.Log(), TFolderTargetType::ftt_Log);
        return true;
    } catch (...) {
        return false;
    }
}

bool TErrContainer::create_LogFile(bool RewriteIfExist) {
    return reportingFailuresOf("create_LogFile", [&] {
        if (!fAccessTo.LogFolder()) return false;
        const std::string path = fFolders.Log() + fLogFile.FileName();
        std::error_code ec;
        if (!std::filesystem::exists(path, ec) || RewriteIfExist) {
            std::ofstream empty(path, std::ios::binary | std::ios::trunc);
        }
        return std::filesystem::exists(path, ec);
    });
}

bool TErrContainer::log_Message(const std::string& e_Message) {
    return reportingFailuresOf("log_Message", [&] {
        const auto line = formatLogLine(fLogFile.FileFormat(), logTimeStamp(), e_Message);
        return appendLogLine(fFolders.Log(), line, fLogFile);
    });
}

bool TErrContainer::log_MessageByCode(std::int32_t errorCode) {
    return reportingFailuresOf("log_MessageByCode", [&] {
        const auto line =
            formatLogLine(fLogFile.FileFormat(), logTimeStamp(), errorCode, fLastError_Message);
        return appendLogLine(fFolders.Log(), line, fLogFile);
    });
}

bool TErrContainer::log_LastError() {
    return reportingFailuresOf("log_LastError", [&] {
        if (fLastError_Code == 0) return true;
        const auto line = formatLogLine(fLogFile.FileFormat(), logTimeStamp(), fLastError_Code,
                                        fLastError_Message);
        return appendLogLine(fFolders.Log(), line, fLogFile);
    });
}

bool TErrContainer::log_Exception_Ex(const std::string& target_Folder,
                                     const std::string& e_Message) {
    return reportingFailuresOf("log_Exception_Ex", [&] {
        const auto line = formatLogLine(fLogFile.FileFormat(), logTimeStamp(), e_Message);
        return appendLogLine(TFolders::check_ForPathDelimiter(target_Folder), line, fLogFile);
    });
}

}  // namespace tessel
