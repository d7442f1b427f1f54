#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "setup/utf8_decoder.h"

namespace {

// A wstring of UTF-16 code units, whatever the width of wchar_t.
std::wstring Units(std::initializer_list<unsigned> units)
{
    std::wstring text;
    for (unsigned unit : units)
        text.push_back(static_cast<wchar_t>(unit));
    return text;
}

TEST(DecodeUtf8, Table)
{
    const unsigned R = 0xFFFD;
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring units;
    } cases[] = {
        {"empty", "", Units({})},
        {"ASCII", "Az09 ~", Units({'A', 'z', '0', '9', ' ', '~'})},
        {"a NUL stays a zero", std::string("a\0b", 3), Units({'a', 0, 'b'})},
        {"2 bytes", "\xC3\xA9", Units({0xE9})},
        {"2 bytes, lowest", "\xC2\x80", Units({0x80})},
        {"3 bytes", "\xE2\x82\xAC", Units({0x20AC})},
        {"3 bytes, highest", "\xEF\xBF\xBF", Units({0xFFFF})},
        {"3 bytes, last before surrogates", "\xED\x9F\xBF", Units({0xD7FF})},
        {"4 bytes become a surrogate pair", "\xF0\x9F\x98\x80", Units({0xD83D, 0xDE00})},
        {"4 bytes, lowest", "\xF0\x90\x80\x80", Units({0xD800, 0xDC00})},
        {"4 bytes, highest", "\xF4\x8F\xBF\xBF", Units({0xDBFF, 0xDFFF})},
        {"overlong 2 bytes: each byte", "\xC0\xAF", Units({R, R})},
        {"overlong 3 bytes: E0 then two", "\xE0\x80\xAF", Units({R, R, R})},
        {"overlong 4 bytes: F0 then three", "\xF0\x80\x80\xAF", Units({R, R, R, R})},
        {"an encoded surrogate: ED then two", "\xED\xA0\x80", Units({R, R, R})},
        {"above U+10FFFF: F4 then three", "\xF4\x90\x80\x80", Units({R, R, R, R})},
        {"truncated 3 bytes: one", "\xE2\x82", Units({R})},
        {"truncated 4 bytes: one", "\xF0\x9F\x98", Units({R})},
        {"truncated, then ASCII", "\xE2\x82" "A", Units({R, 'A'})},
        {"truncated, then a new lead", "\xF0\x9F\xE2\x82\xAC", Units({R, 0x20AC})},
        {"lone continuation", "\x80", Units({R})},
        {"continuations alone", "a\x80\xBF" "b", Units({'a', R, R, 'b'})},
        {"invalid bytes", "\xC0\xC1\xF5\xFF\xFE", Units({R, R, R, R, R})},
        {"a lead and no more", "x\xC3", Units({'x', R})},
        {"mixed", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z",
         Units({'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 'z'})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeUtf8(c.bytes), c.units) << c.name;
}

} // namespace
