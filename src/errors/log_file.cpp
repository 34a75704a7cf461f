#include "errors/log_file.h"

#include "errors/program_file.h"

namespace tessel {

TLogFile::TLogFile() : fFileName(logFileNameFor(programFileName())) {}

std::string TLogFile::logFileNameFor(const std::string& programName) {
    const std::string suffix = "_log.txt";
    const auto extension = programFileExtension(programName);
    // Programs here usually have no extension: the suffix is appended then.
    if (extension.empty()) return programName + suffix;
    return replaceAllNoCase(programName, extension, suffix);
}

void TLogFile::setFileFormat(TLogFileFormats value) {
    fFileFormat = value;
    const bool toTxt = value == TLogFileFormats::txt;
    const std::string from = toTxt ? ".csv" : ".txt";
    const std::string to = toTxt ? ".txt" : ".csv";
    if (fFileName.find(from) != std::string::npos) {
        fFileName = replaceAllNoCase(fFileName, from, to);
    }
}

}  // namespace tessel
