#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessel {

class TFiscalDevice;

// A command description as far as lookups need it: its number, variant and
// version and its three human names. Parameters and execution belong to the
// command description executor, which builds on this record.
class TCommandsItem {
public:
    explicit TCommandsItem(TFiscalDevice* owner) : fOwner(owner) {}
    TCommandsItem(const TCommandsItem&) = delete;
    TCommandsItem& operator=(const TCommandsItem&) = delete;

    // Copies the number, variant, version, the four names and the flags.
    void Assign(const TCommandsItem& source);
    TFiscalDevice* Owner() const { return fOwner; }

    // Setting the number, variant or version also renames the description
    // "command<value>Variant<variant>Version<version>".
    std::int32_t Value() const { return fCommandValue; }
    void setValue(std::int32_t v);
    std::uint16_t Variant() const { return fCommandVariant; }
    void setVariant(std::uint16_t v);
    std::uint16_t Version() const { return fCommandVersion; }
    void setVersion(std::uint16_t v);

    const std::string& HumanName() const { return fHumanCommandName; }
    void setHumanName(std::string v) { fHumanCommandName = std::move(v); }
    const std::string& HumanName2() const { return fHumanName2; }
    void setHumanName2(std::string v) { fHumanName2 = std::move(v); }
    const std::string& HumanName3() const { return fHumanName3; }
    void setHumanName3(std::string v) { fHumanName3 = std::move(v); }
    const std::string& GroupName() const { return fGroupName; }
    void setGroupName(std::string v) { fGroupName = std::move(v); }
    bool CheckOutput() const { return fCheckOutput; }
    void setCheckOutput(bool v) { fCheckOutput = v; }
    bool CheckInput() const { return fCheckInput; }
    void setCheckInput(bool v) { fCheckInput = v; }
    bool VisibleForExport() const { return fVisibleForExport; }
    void setVisibleForExport(bool v) { fVisibleForExport = v; }

private:
    void rename();

    TFiscalDevice* fOwner;
    std::string fHumanCommandName;
    std::string fHumanName2;
    std::string fHumanName3;
    std::string fGroupName;
    std::uint16_t fCommandVersion = 0;
    std::uint16_t fCommandVariant = 0;
    std::int32_t fCommandValue = 0;
    bool fCheckOutput = false;
    bool fCheckInput = true;
    bool fVisibleForExport = true;
};

// The command descriptions of a device description; the items know the
// fiscal device component that owns the collection.
class TCustomCommands {
public:
    explicit TCustomCommands(TFiscalDevice* owner = nullptr) : fOwner(owner) {}
    TCustomCommands(const TCustomCommands&) = delete;
    TCustomCommands& operator=(const TCustomCommands&) = delete;

    TCommandsItem& Add();
    // Index 0..Count-1; anything else raises std::out_of_range.
    TCommandsItem& GetItem(int index) const;
    int Count() const { return static_cast<int>(fItems.size()); }
    void Clear() { fItems.clear(); }
    // Replaces the descriptions by copies of the source's, item by item.
    void Assign(const TCustomCommands& source);
    TFiscalDevice* Owner() const { return fOwner; }

private:
    TFiscalDevice* fOwner;
    std::vector<std::unique_ptr<TCommandsItem>> fItems;
};

}  // namespace tessel
