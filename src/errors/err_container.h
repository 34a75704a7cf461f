#pragma once

#include <cstdint>
#include <string>

#include "errors/error_folders.h"
#include "errors/error_languages.h"
#include "errors/log_file.h"

namespace tessel {

// The one channel through which every component reports failure: a signed
// code, 0 for success, and its text in the current language. It also knows
// the working folders and can append time-stamped lines to a log file.
class TErrContainer {
public:
    // Sets up the folders from the user's environment (XDG data folder and
    // home), creates the log folder and write-tests the folders. Point HOME
    // and XDG_DATA_HOME elsewhere to keep it away from the real ones.
    TErrContainer();

    std::int32_t LastErrorCode() const { return fLastError_Code; }
    // Stores the code and its text, and logs a non-zero code when LogErrors is
    // on (a failing log write raises to the caller). The same code set twice
    // is handled twice.
    void setLastErrorCode(std::int32_t value);
    const std::string& LastErrorMessage() const { return fLastError_Message; }

    TErrorLanguages Language() const { return fLanguage; }
    // Re-texts the current code in the new language and picks the log file's
    // code page for it.
    void setLanguage(TErrorLanguages value);

    // When on, the transports raise ETesselError with LastErrorMessage after a failure.
    bool RaiseMode() const { return fRaiseMode; }
    void setRaiseMode(bool value) { fRaiseMode = value; }

    TFolders& Folders() { return fFolders; }
    const TFolders& Folders() const { return fFolders; }
    TAccessTo& AccessTo() { return fAccessTo; }
    const TAccessTo& AccessTo() const { return fAccessTo; }
    TLogFile& LogFile() { return fLogFile; }
    const TLogFile& LogFile() const { return fLogFile; }

    // The text of any code in the current language; changes nothing.
    std::string get_ErrorMessageByCode(std::int32_t errorCode) const;

    // The construction steps, callable again. They never raise.
    bool init_Folders();
    bool init_LogFile();
    bool check_FoldersForAccess();

    // The log methods below raise ETesselError with the method named in front
    // of the reason when the file cannot be read or written.
    bool create_LogFile(bool RewriteIfExist);
    bool log_Message(const std::string& e_Message);
    // Writes the given code beside the current LastErrorMessage.
    bool log_MessageByCode(std::int32_t errorCode);
    // Writes nothing for code 0.
    bool log_LastError();
    // Like log_Message, into the log file of the same name in another folder.
    bool log_Exception_Ex(const std::string& target_Folder, const std::string& e_Message);

private:
    std::string fLastError_Message;
    std::int32_t fLastError_Code = 0;
    TErrorLanguages fLanguage = TErrorLanguages::English;
    bool fRaiseMode = true;
    TFolders fFolders;
    TAccessTo fAccessTo;
    TLogFile fLogFile;
};

}  // namespace tessel
