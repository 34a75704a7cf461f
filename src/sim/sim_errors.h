#pragma once

// Codes the register answers in field 0, from the maker's catalogue.

#include <cstddef>
#include <cstdint>

namespace tessel::sim::err {

constexpr std::int32_t kNoMoreData = -100003;
constexpr std::int32_t kElementNotFound = -100004;
constexpr std::int32_t kOperationRejected = -101003;
constexpr std::int32_t kInvalidFormat = -101010;
constexpr std::int32_t kWrongDataLength = -101015;
constexpr std::int32_t kWrongOperatorPassword = -102002;
constexpr std::int32_t kIdNumberEmpty = -102003;
constexpr std::int32_t kWrongFormat = -102016;
constexpr std::int32_t kIdNumberWrong = -102018;
constexpr std::int32_t kOperationForbidden = -104003;
constexpr std::int32_t kNoJournalRecords = -105000;
constexpr std::int32_t kJournalFull = -105010;
constexpr std::int32_t kClientNotFound = -106000;
constexpr std::int32_t kAlreadyFiscalized = -110105;
constexpr std::int32_t kPluNotFound = -111004;
constexpr std::int32_t kReceiptOpened = -111015;
constexpr std::int32_t kReceiptClosed = -111016;
constexpr std::int32_t kNoCash = -111017;
constexpr std::int32_t kPaymentInitiated = -111018;
constexpr std::int32_t kNoTransactions = -111020;
constexpr std::int32_t kPaymentNotInitiated = -111050;
constexpr std::int32_t kForbiddenCorrectionKey = -111062;
constexpr std::int32_t kSumBiggerThanReceipt = -111063;
constexpr std::int32_t kSumSmallerThanReceipt = -111064;
constexpr std::int32_t kInvalidCommand = -112000;
constexpr std::int32_t kNoPaper = -112006;
constexpr std::int32_t kPasswordNotUnique = -120001;

// "Invalid syntax of parameter n." for a missing field, "Bad value of
// parameter n." for a refused one; n counts the fields of the parameter
// text from 1.
constexpr std::int32_t syntaxOfField(std::size_t index) {
    return -112101 - static_cast<std::int32_t>(index);
}
constexpr std::int32_t badField(std::size_t index) {
    return -112201 - static_cast<std::int32_t>(index);
}
constexpr bool isSyntaxError(std::int32_t code) {
    return code <= -112101 && code >= -112116;
}

}  // namespace tessel::sim::err
