#include "device/models/srb_tk_81r_pcrs.h"

namespace tessel {
namespace {

constexpr TPCRCatalogueEntry kCatalogue[] = {
    // Last error
    {"000010001", "last_ErrorCode"},
    {"000010002", "last_ErrorMessage"},
    // Error status bits
    {"000021001", "eSBit_GeneralType_1"},
    {"000021002", "eSBit_GeneralType_2"},
    {"000021003", "eSBit_Command_SyntaxError"},
    {"000021003", "eSBit_Command_InvalidCode"},
    {"000021004", "eSBit_Command_NotPermited"},
    {"000021005", "eSBit_Command_Overflow"},
    {"000021006", "eSBit_Full_EJournal"},
    {"000021007", "eSBit_Full_FiscalMemory"},
    {"000021008", "eSBit_OutOf_Paper"},
    {"000021009", "eSBit_WriteError"},
    // Information status bits
    {"000022001", "iSBit_OpenedReceipt_Fiscal"},
    {"000022002", "iSBit_OpenedReceipt_NonFiscal"},
    {"000022003", "iSBit_NearlyFull_EJournal"},
    {"000022004", "iSBit_NearlyFull_FiscalMemory"},
    {"000022005", "iSBit_Setted_SerialNumber"},
    {"000022006", "iSBit_Setted_TaxNumber"},
    {"000022007", "iSBit_Setted_TaxRates"},
    {"000022008", "iSBit_Formatted_FiscalMemory"},
    {"000022009", "iSBit_DeviceIsFiscalized"},
    // State
    {"000023001", "active_RS232Connection"},
    {"000023002", "active_TCPIPConnection"},
    {"000023003", "num_ZReport"},
    {"000023004", "num_ResetCount"},
    {"000023005", "num_VatChanges"},
    {"000023006", "needed_ZReport"},
    // Supported features
    {"000030001", "support_RS232"},
    {"000030002", "support_TCPIP"},
    {"000030003", "support_ProgramedItems"},
    {"000030004", "support_ZReport"},
    {"000030005", "support_XReport"},
    {"000030006", "support_ReportsByPeriod"},
    {"000030007", "support_VoidPerSell"},
    {"000030008", "support_CancelReceipt"},
    {"000030009", "support_Invoices"},
    {"000030020", "support_DSTTime"},
    {"000030021", "support_Info_Owner"},
    {"000030022", "support_Info_NRE"},
    {"000030023", "support_Service"},
    {"000030024", "support_POSSoftware"},
    {"000030025", "support_DifferentPaperSize"},
    {"000030026", "support_PinPad_Morvik_001"},
    // Maximum values (there is no 000051015)
    {"000051001", "max_FiscalMemoryRecords"},
    {"000051002", "max_ProgramedItem_SinglePrice"},
    {"000051003", "max_ProgramedItem_Quantity"},
    {"000051004", "max_FreeSell_SinglePrice"},
    {"000051005", "max_FreeSell_Quantity"},
    {"000051006", "max_FreeSell_RowPrice"},
    {"000051007", "max_Sell_Adjustment_Sum"},
    {"000051008", "max_Sell_Adjustment_Percent"},
    {"000051009", "max_Receipt_Adjustment_Sum"},
    {"000051010", "max_Receipt_Adjustment_Percent"},
    {"000051011", "max_Receipt_RowsCount"},
    {"000051012", "max_Receipt_SalesCount"},
    {"000051013", "max_ZReport_Sum"},
    {"000051014", "max_ZReport_SalesCount"},
    {"000051016", "max_InOut_Sum"},
    // Significant digits
    {"000052001", "sdn_Sum_ZReport"},
    {"000052002", "sdn_Sum_InOut"},
    {"000052003", "sdn_Sum_InOut"},
    {"000052004", "sdn_Sum_RowPrice"},
    {"000052005", "sdn_Sum_RowPrice_Correction"},
    {"000052006", "sdn_Sum_Total"},
    {"000052007", "sdn_Sum_SinglePrice"},
    {"000052008", "sdn_Sum_SubTotal"},
    {"000052009", "sdn_Sum_SubTotal_Correction"},
    {"000052010", "sdn_Quantity_PerSell"},
    {"000052011", "sdn_Quantity_ProgrammedItem"},
    // Country and code page
    {"000053001", "country_Code"},
    {"000053002", "country_Name"},
    {"000053003", "country_DealerCode"},
    {"000053004", "codePage_BaseValue"},
    {"000053005", "codePage_Custom"},
    {"000053006", "codePage_CustomCode"},
    {"000053007", "count_TaxRates"},
    // Obligations
    {"000054001", "obligatory_ProgrammedItems"},
    {"000054002", "obligatory_Report_Daily_Z"},
    {"000054003", "obligatory_Report_PerMonth"},
    {"000054004", "obligatory_Report_PerYear"},
    {"000054005", "obligatory_Header"},
    {"000054006", "obligatory_Footer"},
    {"000054007", "obligatory_Invoices_CustomerInfo"},
    {"000054008", "obligatory_CorrectDateAndTime"},
    {"000054009", "obligatory_Setted_TaxRates"},
    {"000054020", "obligatory_Setted_DST"},
    {"000054021", "obligatory_Fiscalisation"},
    {"000054022", "obligatory_NRE_Registration"},
    {"000054023", "obligatory_ServiceContract"},
    {"000054024", "obligatory_FiscalReceipt_ForSale"},
    // Device and firmware
    {"000071001", "device_Type"},
    {"000071002", "device_Model"},
    {"000072003", "firmware_Version"},
    {"000072004", "firmware_Revision"},
    {"000072005", "firmware_Date"},
    {"000072006", "firmware_CheckSum"},
    // Identifiers
    {"000073101", "id_Serial"},
    {"000073102", "id_FM"},
    {"000073103", "id_CPU"},
    {"000073201", "id_IMEI"},
    {"000073202", "id_IMSI"},
    {"000073301", "id_MAC"},
    {"000073302", "id_IPAddress"},
    {"000073303", "id_Port"},
    {"000073400", "id_POSSoftware"},
    // Registration and owner
    {"000073501", "nre_CertificateNumber"},
    {"000073502", "nre_RegistrationNumber"},
    {"000073503", "nre_StartExploatationDate"},
    {"000073801", "nre_Owner"},
    {"000073802", "nre_Owner_AddressCompany"},
    {"000073803", "nre_OwnerAddressObject"},
    {"000073804", "nre_Owner_EIK"},
    {"000073805", "nre_Service_EIK"},
    {"000073901", "nre_Service_EIK"},
    {"000073902", "nre_Service_ExpirationDate"},
    // Serial ports, added before the communication settings
    {"000810001", "rs232_ComPort_FiscalDevice"},
    {"000810002", "rs232_BaudRate_FiscalDevice"},
    {"000810003", "rs232_ComPort_PinPad"},
    {"000810004", "rs232_BaudRate_PinPad"},
    // Network
    {"000820000", "lan_DHCPEnabled"},
    {"000820001", "lan_NetMask"},
    {"000820002", "lan_DefaultGateway"},
    {"000820003", "lan_DNS_Primary"},
    {"000820004", "lan_DNS_Second"},
    // Communication settings
    {"000091001", "communication_Type"},
    {"000091002", "repeat_Count"},
    {"000091003", "read_TimeOut"},
    {"000091004", "exit_ByTime_Active"},
    {"000091005", "exit_ByTime_Value"},
    // Diagnostics
    {"000092001", "debug_Mode"},
    {"000092002", "logValue_Path"},
    {"000092003", "logValue_FileName"},
};

static_assert(std::size(kCatalogue) == 132);

}  // namespace

std::span<const TPCRCatalogueEntry> srb_TK_81R_PCRCatalogue() {
    return kCatalogue;
}

}  // namespace tessel
