#include "errors/err_container.h"

#include "errors/error_text.h"

namespace tessel {

TErrContainer::TErrContainer()
    : fLastError_Message(errorText_ByCode(0, TErrorLanguages::English)) {}

void TErrContainer::setLastErrorCode(std::int32_t value) {
    fLastError_Code = value;
    fLastError_Message = errorText_ByCode(value, fLanguage);
}

void TErrContainer::setLanguage(TErrorLanguages value) {
    fLanguage = value;
    fLastError_Message = errorText_ByCode(fLastError_Code, fLanguage);
    const bool latin = value == TErrorLanguages::Romanian || value == TErrorLanguages::Poland;
    fLogFile.setCodePage(latin ? 1250 : 1251);
}

std::string TErrContainer::get_ErrorMessageByCode(std::int32_t errorCode) const {
    return errorText_ByCode(errorCode, fLanguage);
}

}  // namespace tessel
