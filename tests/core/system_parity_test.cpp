// The core's readers against the system functions they stand in for:
// DecodeUtf8 against MultiByteToWideChar (CP_UTF8, 0), SettingValueFromText
// against the C runtime's atoi, ReadLongLikeWcstol against wcstol. Only the
// Windows build can ask the system, so the host build compiles none of this.
// Our code follows Windows; where Wine answers otherwise, the difference is
// a table of its own, checked against what Wine gives, so that a change in
// either shows.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

#include "settings/settings_lines.h"
#include "setup/tool_output.h"
#include "setup/utf8_decoder.h"

namespace {

bool RunsUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring Units(std::initializer_list<unsigned> units)
{
    std::wstring text;
    for (unsigned unit : units)
        text.push_back(static_cast<wchar_t>(unit));
    return text;
}

std::string Hex(std::string_view bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
        text += ' ';
    }
    return text;
}

// ---- DecodeUtf8 and MultiByteToWideChar ----

std::wstring SystemDecode(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), length);
    return text;
}

// Where MultiByteToWideChar under Wine 8 gives fewer U+FFFD than Windows,
// which gives one for each maximal ill-formed subpart (as DecodeUtf8 does):
// - a lead byte whose second byte is a continuation byte outside the range
//   that lead allows (an overlong form after E0 or F0, a surrogate after ED,
//   past U+10FFFF after F4): Windows replaces the lead alone and reads that
//   byte anew, Wine replaces the two together;
// - a lead byte whose sequence would run past the end of the input: Wine
//   replaces it and every byte after it with one U+FFFD, even well-formed
//   characters, where Windows reads the bytes that do not fit anew.
bool HasLeadWithSecondByteOutOfRange(std::string_view bytes)
{
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const auto next = static_cast<unsigned char>(bytes[i + 1]);
        if (!IsUtf8Continuation(next))
            continue;
        if ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F)
            || (lead == 0xF0 && next < 0x90) || (lead == 0xF4 && next > 0x8F))
            return true;
    }
    return false;
}

bool HasLeadCutByTheEnd(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (i + Utf8SequenceLength(static_cast<unsigned char>(bytes[i])) > bytes.size())
            return true;
    return false;
}

bool WineDecodesDifferently(std::string_view bytes)
{
    return HasLeadWithSecondByteOutOfRange(bytes) || HasLeadCutByTheEnd(bytes);
}

TEST(SystemParity, DecodeUtf8AsMultiByteToWideChar)
{
    const char* const cases[] = {
        "", "plain ASCII", "\xC3\xA9", "\xC2\x80", "\xDF\xBF", "\xE2\x82\xAC", "\xE0\xA0\x80",
        "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF0\x9F\x98\x80",
        "\xF4\x8F\xBF\xBF",
        "\xC0\xAF", "\xC1\xBF", "\xC0\x80",                 // overlong 2-byte forms
        "\xE2\x82", "\xF0\x9F\x98", "\xF0\x9F", "x\xC3",     // truncated
        "\xE2\x82" "A", "\xF0\x9F\xE2\x82\xAC", "\xE2\xF0\x9F\x98\x80",
        "\x80", "\xBF", "a\x80\xBF" "b", "\x80\x80\x80\x80\x80", // lone continuations
        "\xC0\xC1\xF5\xFF\xFE", "\xF8\x88\x80\x80\x80", "\xFC\x84\x80\x80\x80\x80",
        "\xE1\x80", "\xE1\x80\x41", "\xF1\x80\x80", "\xF1\x80\x80\xE1\x80\x80",
        "\xF3\xC3\xA9z", "\xE2" "ab", // a failed lead with room for its sequence
    };
    for (const char* bytes : cases)
        EXPECT_EQ(DecodeUtf8(bytes), SystemDecode(bytes)) << Hex(bytes);

    // NUL bytes, which a C string cannot hold.
    for (std::string bytes : {std::string("\0", 1), std::string("a\0b", 3), std::string("\xC3\0\xA9", 3),
                              std::string("\xE2\x82\0", 3)})
        EXPECT_EQ(DecodeUtf8(bytes), SystemDecode(bytes)) << Hex(bytes);
}

TEST(SystemParity, DecodeUtf8WhereWineDiffersFromWindows)
{
    const unsigned R = 0xFFFD;
    struct Case {
        const char* bytes;
        std::wstring windows; // what DecodeUtf8 gives, as Windows does
        std::wstring wine;
    } cases[] = {
        // The second byte out of the lead's range.
        {"\xE0\x80\xAF", Units({R, R, R}), Units({R, R})},                 // overlong 3-byte form
        {"\xE0\x9F\xBF", Units({R, R, R}), Units({R, R})},
        {"\xE0\x80" "a", Units({R, R, 'a'}), Units({R, 'a'})},
        {"\xF0\x80\x80\xAF", Units({R, R, R, R}), Units({R, R, R})},       // overlong 4-byte form
        {"\xF0\x8F\xBF\xBF", Units({R, R, R, R}), Units({R, R, R})},
        {"\xED\xA0\x80", Units({R, R, R}), Units({R, R})},                 // an encoded surrogate
        {"\xED\xBF\xBF", Units({R, R, R}), Units({R, R})},
        {"\xF4\x90\x80\x80", Units({R, R, R, R}), Units({R, R, R})},       // past U+10FFFF
        {"a\xED\xA0\x80" "b", Units({'a', R, R, R, 'b'}), Units({'a', R, R, 'b'})},
        // A sequence cut by the end of the input.
        {"\xF0" "ab", Units({R, 'a', 'b'}), Units({R})},
        {"\xE2" "a", Units({R, 'a'}), Units({R})},
        {"\xF0\x9F" "a", Units({R, 'a'}), Units({R})},
        {"\xF3\xC3\xA9", Units({R, 0xE9}), Units({R})},
        {"\xED\xA0", Units({R, R}), Units({R})},
    };
    const bool wine = RunsUnderWine();
    for (const Case& c : cases) {
        ASSERT_TRUE(WineDecodesDifferently(c.bytes)) << Hex(c.bytes);
        EXPECT_EQ(DecodeUtf8(c.bytes), c.windows) << Hex(c.bytes);
        EXPECT_EQ(SystemDecode(c.bytes), wine ? c.wine : c.windows) << Hex(c.bytes);
    }
}

// Bytes drawn from the places where UTF-8 goes wrong: every kind of lead,
// continuation bytes at the ends of their range, whole sequences, NUL.
std::string RandomBytes(std::mt19937& random)
{
    static const unsigned char kBytes[] = {
        0x00, 'a', ' ', 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
        0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xF8, 0xFE, 0xFF,
    };
    static const char* const kSequences[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xED\x9F\xBF"};
    std::string bytes;
    const int parts = static_cast<int>(random() % 12);
    for (int i = 0; i < parts; ++i) {
        if (random() % 5 == 0)
            bytes += kSequences[random() % std::size(kSequences)];
        else
            bytes += static_cast<char>(kBytes[random() % std::size(kBytes)]);
    }
    return bytes;
}

TEST(SystemParity, DecodeUtf8AsMultiByteToWideCharOnRandomBytes)
{
    const bool wine = RunsUnderWine();
    std::mt19937 random(20240611);
    for (int i = 0; i < 8000; ++i) { // about half meet a difference of Wine's under Wine
        const std::string bytes = RandomBytes(random);
        if (wine && WineDecodesDifferently(bytes))
            continue;
        ASSERT_EQ(DecodeUtf8(bytes), SystemDecode(bytes)) << Hex(bytes);
    }
}

// ---- SettingValueFromText and atoi ----

// Whether the digits atoi reads stand for a value beyond the range of int.
bool DigitsBeyondIntRange(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && IsCLocaleSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    while (at < text.size() && text[at] == '0')
        ++at;
    std::size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    const std::string_view digits = text.substr(at, end - at);
    const std::string_view bound = negative ? "2147483648" : "2147483647";
    return digits.size() > bound.size() || (digits.size() == bound.size() && digits > bound);
}

TEST(SystemParity, SettingValueFromTextAsAtoi)
{
    const char* const cases[] = {
        "", "75", "0", "-0", "+0", "-5", "+5", "007", "12abc", "1 ; loud", "1.9", " \t\v\f\r\n 42",
        "- 5", "--5", "+-5", "-+5", "0x10", "abc", "\x1C" "5", "\xA0" "5", "5\x80",
        "2147483647", "-2147483648", "000000000000000000000000075", "-000000000002147483648",
    };
    for (const char* text : cases)
        EXPECT_EQ(SettingValueFromText(text), std::atoi(text)) << '"' << text << '"';
}

TEST(SystemParity, AtoiWhereWineDiffersFromWindows)
{
    // Windows's atoi returns INT_MAX or INT_MIN for a value beyond the range
    // of int, as its documentation says; msvcrt under Wine 8 lets the value
    // wrap around modulo 2^32 instead.
    struct Case {
        const char* text;
        int windows; // what SettingValueFromText gives, as Windows does
        int wine;
    } cases[] = {
        {"2147483648", INT_MAX, INT_MIN},
        {"-2147483649", INT_MIN, INT_MAX},
        {"4294967297", INT_MAX, 1},
        {"-4294967297", INT_MIN, -1},
        {"12345678901", INT_MAX, -539222987},
        {"99999999999999999999", INT_MAX, 1661992959},
    };
    const bool wine = RunsUnderWine();
    for (const Case& c : cases) {
        ASSERT_TRUE(DigitsBeyondIntRange(c.text)) << c.text;
        EXPECT_EQ(SettingValueFromText(c.text), c.windows) << c.text;
        EXPECT_EQ(std::atoi(c.text), wine ? c.wine : c.windows) << c.text;
    }
}

// Text from digits, signs, white space, letters and the odd other byte, with
// runs of digits long enough to leave the range of int now and then.
template <class Char>
std::basic_string<Char> RandomNumberText(std::mt19937& random)
{
    static const char kChars[] = {'0', '1', '2', '4', '7', '9', '9', '+', '-', ' ', '\t', '\n', '\v',
                                  '\f', '\r', 'a', 'x', '.', ';', '\x1C', '\x7F'};
    std::basic_string<Char> text;
    const int parts = static_cast<int>(random() % 8);
    for (int i = 0; i < parts; ++i) {
        if (random() % 4 == 0)
            text.append(1 + random() % 12, static_cast<Char>('0' + random() % 10));
        else
            text += static_cast<Char>(kChars[random() % std::size(kChars)]);
    }
    return text;
}

TEST(SystemParity, SettingValueFromTextAsAtoiOnRandomText)
{
    const bool wine = RunsUnderWine();
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        const std::string text = RandomNumberText<char>(random);
        if (wine && DigitsBeyondIntRange(text))
            continue;
        ASSERT_EQ(SettingValueFromText(text), std::atoi(text.c_str())) << '"' << text << '"';
    }
}

// ---- ReadLongLikeWcstol and wcstol ----

DecimalNumber SystemWcstol(const std::wstring& text)
{
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    return {static_cast<std::int32_t>(value), static_cast<std::size_t>(end - text.c_str())};
}

void ExpectSameReading(const std::wstring& text)
{
    const DecimalNumber ours = ReadLongLikeWcstol(text, 0);
    const DecimalNumber system = SystemWcstol(text);
    EXPECT_EQ(ours.value, system.value) << '"' << std::string(text.begin(), text.end()) << '"';
    EXPECT_EQ(ours.stop, system.stop) << '"' << std::string(text.begin(), text.end()) << '"';
}

TEST(SystemParity, ReadLongLikeWcstolAsWcstol)
{
    const wchar_t* const cases[] = {
        L"", L"45", L"45 text", L"  \t45x", L"\n\v\f\r7", L"-5", L"+7", L"-0", L"007", L"abc", L"  abc",
        L"-", L"+", L"- 5", L"+-5", L"0x10", L"1.5", L"2147483647", L"2147483648", L"-2147483648",
        L"-2147483649", L"99999999999999999999 t", L"-99999999999999999999", L"\x1C" L"5",
        L"5\xFFFD", L"\xFFFD" L"5",
    };
    for (const wchar_t* text : cases)
        ExpectSameReading(text);
}

TEST(SystemParity, ReadLongLikeWcstolAsWcstolOnRandomText)
{
    std::mt19937 random(11);
    for (int i = 0; i < 5000; ++i) {
        ExpectSameReading(RandomNumberText<wchar_t>(random));
        if (HasFailure())
            return;
    }
}

TEST(SystemParity, ReadLongLikeWcstolTakesOnlyAsciiWhereWcstolTakesMore)
{
    // wcstol skips white space as iswspace sees it, beyond ASCII, and reads
    // the decimal digits of other scripts too; the reader takes only ASCII,
    // since the batcher reads a progress line's number from its undecoded
    // bytes. Not a difference of Wine's: our reader differs here by design.
    const wchar_t* const cases[] = {
        L"\x00A0" L"5", // no-break space
        L"\x3000" L"5", // ideographic space
        L"\x2000" L"5", // en quad
        L"\x0663",      // Arabic-Indic digit three
        L"\xFF15",      // fullwidth digit five
    };
    for (const wchar_t* text : cases) {
        const DecimalNumber ours = ReadLongLikeWcstol(text, 0);
        EXPECT_EQ(ours.value, 0);
        EXPECT_EQ(ours.stop, 0u);
        EXPECT_GT(SystemWcstol(text).stop, 0u);
    }
}

} // namespace

#endif // _WIN32
