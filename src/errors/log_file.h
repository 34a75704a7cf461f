#pragma once

#include <cstdint>
#include <string>

namespace tessel {

enum class TLogFileFormats : std::uint8_t { txt = 0, csv = 1 };

// Settings of the container's text log file.
class TLogFile {
public:
    // FileName starts as the program file's name with its extension turned
    // into "_log.txt".
    TLogFile();

    const std::string& FileName() const { return fFileName; }
    void setFileName(const std::string& value) { fFileName = value; }

    bool LogErrors() const { return fLogErrors; }
    void setLogErrors(bool value) { fLogErrors = value; }

    TLogFileFormats FileFormat() const { return fFileFormat; }
    // Also renames a ".txt" file name to ".csv" and back.
    void setFileFormat(TLogFileFormats value);

    // 0 means unlimited; a negative value is stored as 0.
    std::int32_t RowsCountLimitation() const { return fRowsCountLimitation; }
    void setRowsCountLimitation(std::int32_t value) {
        fRowsCountLimitation = value < 0 ? 0 : value;
    }

    std::int32_t CodePage() const { return fCodePage; }
    void setCodePage(std::int32_t value) { fCodePage = value; }

    // False: the file is deleted before each write.
    bool AppendFile() const { return fAppendFile; }
    void setAppendFile(bool value) { fAppendFile = value; }

    // The default file name for a program file name (without folder).
    static std::string logFileNameFor(const std::string& programName);

private:
    std::string fFileName;
    bool fLogErrors = false;
    TLogFileFormats fFileFormat = TLogFileFormats::txt;
    std::int32_t fRowsCountLimitation = 2048;
    std::int32_t fCodePage = 1251;
    bool fAppendFile = true;
};

}  // namespace tessel
