#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/bytes.h"
#include "util/com_ports_usage.h"
#include "util/dialog_presenter.h"
#include "util/fixed_format.h"
#include "util/string_list.h"

namespace tessel {

enum class TPadCase { pcLeft = 0, pcRight = 1, pcCenter = 2 };

// The drop-down list that receives the discovered serial ports.
class TStringListBox {
public:
    virtual ~TStringListBox() = default;
    virtual void setItems(const StringList& items) = 0;
};

// The utility component: code-page conversions, hexadecimal helpers, answer
// splitting, control-character names, number and date formats, serial port
// discovery and the message boxes shared by the device component, the
// transports and the application. Text is UTF-8; code-page text is Bytes.
class TFDMisc {
public:
    const std::string& Version() const { return fVersion; }

    // Code pages (1250, 1251, 1252). Unrepresentable characters become "?";
    // an unsupported code page gives an empty result.
    static Bytes convert_String_ToAnsiString(std::string_view text, int codePage);
    static Bytes convert_WideString_ToAnsiString(std::string_view text, int codePage);
    static Bytes convert_WideString_ToAnsi1251(std::string_view text);
    static std::string convert_AnsiString_ToWideString(ByteView bytes, int codePage);
    static std::string convert_Ansi1251_ToWideString(ByteView bytes);

    // Two lowercase hexadecimal digits (10 gives "0a").
    static std::string byteToHex(std::uint8_t b);
    // Appends two uppercase digits and a space (10 appends "0A ").
    static void putByteToHEX(std::uint8_t b, std::string& text);
    // No validation: "0"-"9" give 0-9, "a"-"z" their code minus 87, any other
    // character its code minus 55 (so "A"-"F" give 10-15).
    static std::uint8_t hexDigit(char c);
    // The first two characters as a hexadecimal byte; missing characters count
    // as "0", so the text is never read past its end.
    static std::uint8_t hexToByte(std::string_view twoChars);
    // Sets the bit (index modulo 32) when bitValue > 0, clears it otherwise.
    static void setBitIntoInt(int bitIndex, int bitValue, std::int32_t& value);

    // Splits source at any of the one-character delimiters into target and
    // returns the number of items: a leading delimiter gives an empty first
    // item, two in a row an empty item between them, a trailing one no empty
    // last item. No delimiters give the whole source as one item; an empty
    // source gives none.
    static int fillAnswerList(std::string_view source, const StringList& delimiters,
                              StringList& target);

    // Text before the first occurrence of delimiter (the whole source when it
    // does not occur). With deleteIt the result and the delimiter's first
    // character are removed from the source (all of it when not found).
    static std::string get_Value_Before(std::string& source, std::string_view delimiter,
                                        bool deleteIt);
    static Bytes get_Value_Before(Bytes& source, ByteView delimiter, bool deleteIt);

    // With deleteDelimiter a leading opening delimiter is first removed from
    // the source. The result is the text before the closing delimiter; the
    // whole source when the closing delimiter is empty, absent or first. With
    // deleteData the returned text is removed from the source.
    static std::string get_Value_BetweenDelimiters(std::string& source, bool deleteDelimiter,
                                                   bool deleteData, std::string_view opening,
                                                   std::string_view closing);

    // Index of the first entry equal to selector, ignoring the case of A-Z;
    // -1 when none is.
    static int StrToCase_FullMatch(std::string_view selector, const StringList& list);
    // Index of the first non-empty entry found inside selector (case matters);
    // -1 when none is.
    static int StrToCase_PosMatch(std::string_view selector, const StringList& list);

    // One readable control-character name ("TAB", "#13", "[LF]" ...) as its
    // character(s); other text unchanged. "\t", "\n", "\r" become TAB, LF, CR.
    static std::string prepare_SpecialSymbol(std::string_view text);
    // Replaces every bracketed name ("[TAB]", "[1B!08]", "[\0D]" ...) in a
    // typed command parameter by the characters it stands for.
    static std::string prepare_InputForSpecialSymbols(std::string_view text);

    // Pads with whole copies of pad up to at most count characters. Sources of
    // count characters or more, an empty pad or a count below one are
    // returned unchanged.
    static std::string padString(std::string_view source, std::string_view pad, int count,
                                 TPadCase padCase);
    // Ends a folder text with "/": an empty text gives "./", blanks only get
    // "./" appended.
    static std::string checkForPathDelimiter(std::string_view path);

    // The formats every number, date and time of protocol text is written and
    // read with (see fixed_format.h). False, and nothing changed, unless each
    // separator is one character and each format is non-empty.
    bool set_LocalShits(std::string_view dateSeparator, std::string_view timeSeparator,
                        std::string_view decimalSeparator, std::string_view shortDateFormat,
                        std::string_view shortTimeFormat, std::string_view longDateFormat,
                        std::string_view longTimeFormat);
    const TFormatSettings& FormatSettings() const { return fFormatSettings; }

    // Serial ports. The list box is not owned; clear it before it goes away.
    TComPortsUsage& comPorts() { return fComPorts; }
    TStringListBox* comPortsCombo() const { return fComPortsCombo; }
    void setComPortsCombo(TStringListBox* combo) { fComPortsCombo = combo; }
    // Replaces the list box's entries with the discovered ports; when there
    // is no list box or no port, the entries stay and the result is false.
    bool fill_ComPortsCombo();

    // Message boxes, shown through the presenter. Without a presenter nothing
    // is shown and a question is answered No, the safe answer for the
    // irreversible actions that ask.
    void setDialogPresenter(TDialogPresenter* presenter) { fPresenter = presenter; }
    TDialogPresenter* dialogPresenter() const { return fPresenter; }
    const std::string& myMessagesCaption() const { return fMyMessagesCaption; }
    void setMyMessagesCaption(std::string caption) { fMyMessagesCaption = std::move(caption); }
    const void* ownerWindow() const { return fOwnerWindow; }
    void setOwnerWindow(const void* window) { fOwnerWindow = window; }

    void myAlert(std::string_view text, std::string_view title, TMiscDialogTypes type) const;
    void myInformation(std::string_view text, std::string_view title, TMiscDialogTypes type) const;
    int myQuestion(std::string_view text, std::string_view title, TMiscDialogTypes type) const;
    bool myQuestion_Boolean(std::string_view text, std::string_view title,
                            TMiscDialogTypes type) const;
    void show_MyAlert(std::string_view text) const;
    void show_MyInfo(std::string_view text) const;

private:
    std::string titleOrCaption(std::string_view title) const;

    std::string fVersion = "1.0.0.0";
    std::string fMyMessagesCaption;
    const void* fOwnerWindow = nullptr;
    TDialogPresenter* fPresenter = nullptr;
    TFormatSettings fFormatSettings;
    TComPortsUsage fComPorts;
    TStringListBox* fComPortsCombo = nullptr;
};

}  // namespace tessel
