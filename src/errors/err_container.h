#pragma once

#include <cstdint>
#include <string>

#include "errors/error_languages.h"
#include "errors/log_file.h"

namespace tessel {

// The one channel through which every component reports failure: a signed
// code, 0 for success, and its text in the current language.
class TErrContainer {
public:
    TErrContainer();

    std::int32_t LastErrorCode() const { return fLastError_Code; }
    // Stores the code and its text; the same code set twice is handled twice.
    void setLastErrorCode(std::int32_t value);
    const std::string& LastErrorMessage() const { return fLastError_Message; }

    TErrorLanguages Language() const { return fLanguage; }
    // Re-texts the current code in the new language and picks the log file's
    // code page for it.
    void setLanguage(TErrorLanguages value);

    // When on, the transports raise ETesselError with LastErrorMessage after a failure.
    bool RaiseMode() const { return fRaiseMode; }
    void setRaiseMode(bool value) { fRaiseMode = value; }

    // The text of any code in the current language; changes nothing.
    std::string get_ErrorMessageByCode(std::int32_t errorCode) const;

    TLogFile& LogFile() { return fLogFile; }
    const TLogFile& LogFile() const { return fLogFile; }

private:
    std::string fLastError_Message;
    std::int32_t fLastError_Code = 0;
    TErrorLanguages fLanguage = TErrorLanguages::English;
    bool fRaiseMode = true;
    TLogFile fLogFile;
};

}  // namespace tessel
