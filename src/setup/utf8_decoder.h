// UTF-8 as the launcher reads the setup tool's output: the shape of a
// sequence (its lead byte, its continuation bytes) and the decoding of bytes
// to UTF-16. No system call is needed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr bool IsUtf8Continuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// How many bytes a sequence with this lead byte has when well formed; 0
// when the byte cannot start one.
inline constexpr std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// UTF-8 to UTF-16 without Win32: the wstring always holds UTF-16 code units
// (surrogate pairs outside the BMP, even where wchar_t has 32 bits). Each
// maximal ill-formed subpart becomes one U+FFFD, as MultiByteToWideChar
// (CP_UTF8, 0) does on current Windows. A zero byte stays a zero character.
std::wstring DecodeUtf8(std::string_view bytes);
