#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/fd_common.h"

namespace tessel {

class TFiscalDevice;
class TPCR;

// One property code record: a named device property with a nine-digit code.
class TPCRItem {
public:
    TPCRItem(TPCR* collection, TFiscalDevice* owner) : fCollection(collection), fOwner(owner) {}
    TPCRItem(const TPCRItem&) = delete;
    TPCRItem& operator=(const TPCRItem&) = delete;

    // Copies every published value; the owner and the collection stay.
    void Assign(const TPCRItem& source);

    // Stores the values; CodeInt is the code read as a number, -1 when it is
    // not one. ValueForTrue is left as it is. False instead of raising.
    bool set_PCRValues(const std::string& t_StrCode, const std::string& t_Name,
                       TMorvik_ItIsType t_ItIs, TMayUseAfter t_MayUseAfter, TRWType t_ReadWriteType,
                       TPacValueType t_ValueType, const std::string& t_Value,
                       std::int32_t t_SourceIndex_1, std::int32_t t_SourceIndex_2,
                       const std::string& t_Version);

    // Name; a blank name is first set to "Item" and the record's index, so the
    // record keeps that name afterwards.
    const std::string& GetDisplayName();
    // Position in its collection, -1 when it is in none.
    int Index() const;
    TFiscalDevice* Owner() const { return fOwner; }

    const std::string& Version() const { return fVersion; }
    void setVersion(std::string v) { fVersion = std::move(v); }
    const std::string& Name() const { return fName; }
    void setName(std::string v) { fName = std::move(v); }
    std::int32_t SourceIndex_2() const { return fSourceIndex_2; }
    void setSourceIndex_2(std::int32_t v) { fSourceIndex_2 = v; }
    std::int32_t SourceIndex_1() const { return fSourceIndex_1; }
    void setSourceIndex_1(std::int32_t v) { fSourceIndex_1 = v; }
    TRWType rwType() const { return fRWType; }
    void setRwType(TRWType v) { fRWType = v; }
    TPacValueType ValueType() const { return fValueType; }
    void setValueType(TPacValueType v) { fValueType = v; }
    const std::string& CodeTxt() const { return fStrCode; }
    void setCodeTxt(std::string v) { fStrCode = std::move(v); }
    std::int32_t CodeInt() const { return fIntCode; }
    void setCodeInt(std::int32_t v) { fIntCode = v; }
    const std::string& Value() const { return fValue; }
    void setValue(std::string v) { fValue = std::move(v); }
    TMayUseAfter MayUseAfter() const { return fMayUseAfter; }
    void setMayUseAfter(TMayUseAfter v) { fMayUseAfter = v; }
    TMorvik_ItIsType ItIs() const { return fItIs; }
    void setItIs(TMorvik_ItIsType v) { fItIs = v; }
    const std::string& ValueForTrue() const { return fValueForTrue; }
    void setValueForTrue(std::string v) { fValueForTrue = std::move(v); }

private:
    TPCR* fCollection;
    TFiscalDevice* fOwner;
    std::string fVersion = "1.0.0";
    std::string fName;
    std::int32_t fSourceIndex_2 = -1;
    std::int32_t fSourceIndex_1 = -1;
    TRWType fRWType = TRWType::rwt_ReadOnly;
    TPacValueType fValueType = TPacValueType::pvt_String;
    std::string fStrCode;
    std::int32_t fIntCode = -1;
    std::string fValue;
    TMayUseAfter fMayUseAfter = TMayUseAfter::mua_OpenClaimEnable;
    TMorvik_ItIsType fItIs = TMorvik_ItIsType::st_Constant;
    std::string fValueForTrue = "1";
};

// The property code records of a device description. Records know the
// collection's owner, the fiscal device component.
class TPCR {
public:
    explicit TPCR(TFiscalDevice* owner = nullptr) : fOwner(owner) {}
    TPCR(const TPCR&) = delete;
    TPCR& operator=(const TPCR&) = delete;

    TPCRItem& Add();
    // Index 0..Count; anything else raises std::out_of_range.
    TPCRItem& Insert(int index);
    // Index 0..Count-1; anything else raises std::out_of_range.
    TPCRItem& GetItem(int index) const;
    void SetItem(int index, const TPCRItem& value) { GetItem(index).Assign(value); }
    int Count() const { return static_cast<int>(fItems.size()); }
    void Clear() { fItems.clear(); }
    // Replaces the records by copies of the source's, item by item.
    void Assign(const TPCR& source);
    TFiscalDevice* Owner() const { return fOwner; }
    int IndexOf(const TPCRItem* item) const;

    // Lookups. The catalogue repeats a code and two names; the first record
    // in collection order wins, the later twin is reachable only by index.
    // Null when nothing matches.
    const TPCRItem* findByCode(std::int32_t codeInt) const;
    const TPCRItem* findByCodeTxt(std::string_view codeTxt) const;
    const TPCRItem* findByName(std::string_view name) const;

private:
    TFiscalDevice* fOwner;
    std::vector<std::unique_ptr<TPCRItem>> fItems;
};

}  // namespace tessel
