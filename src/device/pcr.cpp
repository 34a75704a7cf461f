#include "device/pcr.h"

#include "util/int_text.h"

#include <stdexcept>

namespace tessel {

void TPCRItem::Assign(const TPCRItem& source) {
    if (&source == this) return;
    fVersion = source.fVersion;
    fName = source.fName;
    fSourceIndex_2 = source.fSourceIndex_2;
    fSourceIndex_1 = source.fSourceIndex_1;
    fRWType = source.fRWType;
    fValueType = source.fValueType;
    fStrCode = source.fStrCode;
    fIntCode = source.fIntCode;
    fValue = source.fValue;
    fMayUseAfter = source.fMayUseAfter;
    fItIs = source.fItIs;
    fValueForTrue = source.fValueForTrue;
}

bool TPCRItem::set_PCRValues(const std::string& t_StrCode, const std::string& t_Name,
                             TMorvik_ItIsType t_ItIs, TMayUseAfter t_MayUseAfter,
                             TRWType t_ReadWriteType, TPacValueType t_ValueType,
                             const std::string& t_Value, std::int32_t t_SourceIndex_1,
                             std::int32_t t_SourceIndex_2, const std::string& t_Version) {
    try {
        fStrCode = t_StrCode;
        fIntCode = textToInt32(t_StrCode).value_or(-1);
        fName = t_Name;
        fItIs = t_ItIs;
        fMayUseAfter = t_MayUseAfter;
        fRWType = t_ReadWriteType;
        fValueType = t_ValueType;
        fValue = t_Value;
        fSourceIndex_1 = t_SourceIndex_1;
        fSourceIndex_2 = t_SourceIndex_2;
        fVersion = t_Version;
        return true;
    } catch (...) {
        return false;
    }
}

const std::string& TPCRItem::GetDisplayName() {
    if (fName.find_first_not_of(" \t\r\n") == std::string::npos) {
        fName = "Item" + std::to_string(Index());
    }
    return fName;
}

int TPCRItem::Index() const {
    return fCollection ? fCollection->IndexOf(this) : -1;
}

TPCRItem& TPCR::Add() {
    return Insert(Count());
}

TPCRItem& TPCR::Insert(int index) {
    if (index < 0 || index > Count()) throw std::out_of_range("TPCR: index out of range");
    auto it = fItems.insert(fItems.begin() + index, std::make_unique<TPCRItem>(this, fOwner));
    return **it;
}

TPCRItem& TPCR::GetItem(int index) const {
    if (index < 0 || index >= Count()) throw std::out_of_range("TPCR: index out of range");
    return *fItems[static_cast<std::size_t>(index)];
}

void TPCR::Assign(const TPCR& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.fItems) Add().Assign(*item);
}

int TPCR::IndexOf(const TPCRItem* item) const {
    for (std::size_t i = 0; i < fItems.size(); ++i) {
        if (fItems[i].get() == item) return static_cast<int>(i);
    }
    return -1;
}

const TPCRItem* TPCR::findByCode(std::int32_t codeInt) const {
    for (const auto& item : fItems) {
        if (item->CodeInt() == codeInt) return item.get();
    }
    return nullptr;
}

const TPCRItem* TPCR::findByCodeTxt(std::string_view codeTxt) const {
    for (const auto& item : fItems) {
        if (item->CodeTxt() == codeTxt) return item.get();
    }
    return nullptr;
}

const TPCRItem* TPCR::findByName(std::string_view name) const {
    for (const auto& item : fItems) {
        if (item->Name() == name) return item.get();
    }
    return nullptr;
}

}  // namespace tessel
