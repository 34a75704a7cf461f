#pragma once

#include <string>
#include <string_view>

#include "util/bytes.h"

namespace tessel {

// The register's text encoding: code page 1251 in which the bytes of
// Ъ Ы Ь Э Ю and ъ ы ь э ю (0xDA-0xDE, 0xFA-0xFE) hold the Serbian Latin letters
// Đ Ž Ć Č Š and đ ž ć č š. 0xDF and 0xFF (Я, я) carry no letter on the device.

std::string convert_Ansi1251_ToWideStr(ByteView bytes);
std::string convert_Ansi1250_ToWideStr(ByteView bytes);
Bytes convert_WideStr_ToAnsi1251(std::string_view text);

// Text to device bytes. The ten Serbian letters take their device bytes (a
// base letter followed by its combining mark counts as the letter); the rest
// is encoded with code page 1251.
Bytes UTFtoEcr(std::string_view text);

// Device bytes to text: the ten Serbian letters, 0xDF and 0xFF as spaces, the
// other bytes as in code page 1251.
std::string ecrToUTF(ByteView bytes);

// Clean-up of names: Й and й (0xC9, 0xE9) become J and j, Я and я (0xDF,
// 0xFF) spaces; the length never changes. 0xDE and 0xFE stay: they are Š and
// š on the device, and blanking them would wipe those letters out of names.
Bytes replaceCyrChars(ByteView bytes);

// A name as the parameter text of a command: device bytes, cleaned up, then
// widened through code page 1251 so the command layer's own 1251 narrowing
// puts exactly those bytes on the wire.
std::string nameToDeviceText(std::string_view name);

// A name from an answer field (already decoded as code page 1251).
std::string nameFromDeviceText(std::string_view field);

// A client name read one client at a time: cleaned up before decoding.
std::string clientNameFromDeviceText(std::string_view field);

// An electronic-journal line from an answer field: a line that starts with
// 0x1D has every 0x1D turned into a TAB.
std::string journalLineFromDeviceText(std::string_view field);

}  // namespace tessel
