#pragma once

#include <cstdint>

namespace tessel {

// Digits the device keeps for each kind of amount or quantity.
struct TSignificantDigitsCount {
    std::int32_t rowQuantity = 8;
    std::int32_t maxDaySum = 14;
    std::int32_t maxSaleSum = 11;
    std::int32_t maxSinglePrice = 10;
    std::int32_t maxRowPrice = 10;
    std::int32_t maxRowPriceWithCorrection = 10;
    std::int32_t maxInOutSum = 11;
    std::int32_t maxSubtotalSum = 11;
    std::int32_t maxSubtotalWithCorrection = 11;

    void Assign(const TSignificantDigitsCount& source) { *this = source; }
};

// The sales limits of the device; published for users of the component, the
// component itself does not consult them.
class TSalesLimitations {
public:
    TSignificantDigitsCount& numberOfSignificantDigits() { return fSignificantDigitsCount; }
    const TSignificantDigitsCount& numberOfSignificantDigits() const {
        return fSignificantDigitsCount;
    }
    void setNumberOfSignificantDigits(const TSignificantDigitsCount& v) {
        fSignificantDigitsCount.Assign(v);
    }
    std::int32_t maxNumberOfSaleRowsPerSale() const { return fMaxSaleRowsCountForSale; }
    void setMaxNumberOfSaleRowsPerSale(std::int32_t v) { fMaxSaleRowsCountForSale = v; }
    std::int32_t maxNumberOfRowsPerSale() const { return fMaxRowsForSale; }
    void setMaxNumberOfRowsPerSale(std::int32_t v) { fMaxRowsForSale = v; }
    std::int32_t maxNumberOfSalesPerZReport() const { return fMaxNumberOfSalesPerZReport; }
    void setMaxNumberOfSalesPerZReport(std::int32_t v) { fMaxNumberOfSalesPerZReport = v; }

    // Copies the three counts; the digit counts are assigned on their own.
    void Assign(const TSalesLimitations& source) {
        fMaxSaleRowsCountForSale = source.fMaxSaleRowsCountForSale;
        fMaxRowsForSale = source.fMaxRowsForSale;
        fMaxNumberOfSalesPerZReport = source.fMaxNumberOfSalesPerZReport;
    }

private:
    TSignificantDigitsCount fSignificantDigitsCount;
    std::int32_t fMaxSaleRowsCountForSale = 380;
    std::int32_t fMaxRowsForSale = 1000;
    std::int32_t fMaxNumberOfSalesPerZReport = -1;
};

// Which transports the device supports; descriptive only.
struct TTransportSupport {
    bool RS232 = true;
    bool TCPIP = false;

    void Assign(const TTransportSupport& source) { *this = source; }
};

}  // namespace tessel
