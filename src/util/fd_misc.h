#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/bytes.h"
#include "util/dialog_presenter.h"

namespace tessel {

using StringList = std::vector<std::string>;

// The utility component: code-page conversions, hexadecimal helpers, answer
// splitting and the message boxes shared by the device component, the
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
};

}  // namespace tessel
