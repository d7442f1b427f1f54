#include <gtest/gtest.h>

#include "base/folder_rules.h"

namespace {

std::string Utf16Bytes(const std::wstring& text)
{
    return InstallLocationBytes(text);
}

TEST(FolderRules, LauncherFolderIsThePathBeforeItsLastBackslash)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Games\\Release\\launcher.exe", L"C:\\Games\\Release"},
        {L"C:\\launcher.exe", L"C:"},
        {L"launcher.exe", L"launcher.exe"},
        {L"\\\\server\\share\\Vantaroo.exe", L"\\\\server\\share"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LauncherFolderFromPath(c.path), c.folder) << c.path;
}

TEST(FolderRules, InstallFolderFromInstallLocationBytes)
{
    const std::wstring launcher = L"C:";
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring folder;
    } cases[] = {
        {"no file", "", L"C:\\game"},
        {"one byte", "D", L"C:\\game"},
        {"three bytes: odd byte dropped", std::string("D\0:", 3), L"D"},
        {"plain", Utf16Bytes(L"D:\\Games\\Vantaroo"), L"D:\\Games\\Vantaroo"},
        {"BOM and CR LF kept", Utf16Bytes(L"\xFEFF" L"D:\\G\r\n"), L"\xFEFF" L"D:\\G\r\n"},
        {"trailing backslash and quotes kept", Utf16Bytes(L"\"D:\\G\\\" "), L"\"D:\\G\\\" "},
        {"8-bit text paired into code units", "D:\\G", L"\x3a44\x475c"},
        {"high bytes", std::string("\xff\xfe\x41\x00", 4), L"\xfeff" L"A"},
        {"cut at a trailing zero pair", std::string("D\0:\0\0\0", 6), L"D:"},
        {"cut at a zero inside", std::string("D\0\0\0:\0", 6), L"D"},
        {"a zero first: no folder", std::string("\0\0D\0", 4), L"C:\\game"},
        {"an odd zero byte is not a zero unit", std::string("D\0\0", 3), L"D"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallFolderFromLocation(c.bytes, launcher), c.folder) << c.name;

    // The start-up read holds the longest path Windows knows.
    const std::string longest = Utf16Bytes(std::wstring(kLongestPath, L'a')) + "b";
    EXPECT_EQ(InstallFolderFromLocation(longest.substr(0, kInstallLocationLimit), launcher),
              std::wstring(kLongestPath, L'a'));
}

TEST(FolderRules, InstallLocationBytesAreLittleEndianCodeUnitsOnly)
{
    const std::string bytes = InstallLocationBytes(L"D:\\Games\\Vantaroo");
    EXPECT_EQ(bytes.size(), 34u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("D\0:\0", 4));
    EXPECT_EQ(InstallLocationBytes(L"\x20AC"), std::string("\xAC\x20", 2));
    EXPECT_EQ(InstallFolderFromLocation(bytes, L"C:"), L"D:\\Games\\Vantaroo");
}

} // namespace
