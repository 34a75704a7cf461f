#include "device/custom_commands.h"

#include <stdexcept>

namespace tessel {

void TCommandsItem::Assign(const TCommandsItem& source) {
    if (&source == this) return;
    fCommandValue = source.fCommandValue;
    fCommandVariant = source.fCommandVariant;
    fCommandVersion = source.fCommandVersion;
    fHumanCommandName = source.fHumanCommandName;
    fHumanName2 = source.fHumanName2;
    fHumanName3 = source.fHumanName3;
    fGroupName = source.fGroupName;
    fCheckOutput = source.fCheckOutput;
    fCheckInput = source.fCheckInput;
    fVisibleForExport = source.fVisibleForExport;
}

void TCommandsItem::setValue(std::int32_t v) {
    fCommandValue = v;
    rename();
}

void TCommandsItem::setVariant(std::uint16_t v) {
    fCommandVariant = v;
    rename();
}

void TCommandsItem::setVersion(std::uint16_t v) {
    fCommandVersion = v;
    rename();
}

void TCommandsItem::rename() {
    fHumanCommandName = "command" + std::to_string(fCommandValue) + "Variant" +
                        std::to_string(fCommandVariant) + "Version" +
                        std::to_string(fCommandVersion);
}

TCommandsItem& TCustomCommands::Add() {
    fItems.push_back(std::make_unique<TCommandsItem>(fOwner));
    return *fItems.back();
}

TCommandsItem& TCustomCommands::GetItem(int index) const {
    if (index < 0 || index >= Count()) {
        throw std::out_of_range("TCustomCommands: index out of range");
    }
    return *fItems[static_cast<std::size_t>(index)];
}

void TCustomCommands::Assign(const TCustomCommands& source) {
    if (&source == this) return;
    Clear();
    for (const auto& item : source.fItems) Add().Assign(*item);
}

}  // namespace tessel
