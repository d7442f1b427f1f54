#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#include "base/game_command_line.h"
#include "base/quote_arg.h"
#include "setup/tool_command_line.h"

namespace {

TEST(QuoteArg, Table)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* quoted;
    } cases[] = {
        {L"D:\\Games", L"\"D:\\Games\""},
        {L"D:\\Games\\", L"\"D:\\Games\""},
        {L"D:\\Games\\\\", L"\"D:\\Games\""},
        {L"C:\\", L"\"C:\\\\\""},
        {L"E:\\", L"\"E:\\\\\""},
        {L"\\", L"\"\\\\\""},
        {L"\\\\", L"\"\\\\\\\\\""},       // two backslashes: both doubled
        {L"a\\\\", L"\"a\\\\\\\\\""},     // short, ending in two
        {L"C:\\\\", L"\"C:\\\\\""},
        {L"\\\\\\\\", L"\"\\\\\\\\\\\\\""}, // four: cut to three, each doubled
        {L"", L"\"\""},
        {L"a b", L"\"a b\""},
        {L"say \"hi\"", L"\"say \"hi\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteArg(c.path), c.quoted) << c.path;
}

#ifdef _WIN32
// The receiver is the oracle: whatever the path, the command-line parser of
// the started program gives back one argument, the path without the
// backslashes QuoteArg cuts, and the argument after it stays separate.
TEST(QuoteArg, CommandLineToArgvGivesThePathBack)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* argument;
    } cases[] = {
        {L"D:\\Games", L"D:\\Games"},
        {L"D:\\Games\\", L"D:\\Games"},
        {L"D:\\My Games\\\\", L"D:\\My Games"},
        {L"C:\\", L"C:\\"},
        {L"\\", L"\\"},
        {L"\\\\", L"\\\\"},
        {L"a\\\\", L"a\\\\"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
        {L"", L""},
        {L"C:\\caf\u00e9 \u6e38\u620f \U0001F3AE\\", L"C:\\caf\u00e9 \u6e38\u620f \U0001F3AE"},
    };
    for (const Case& c : cases) {
        const std::wstring commandLine = L"prog.exe " + QuoteArg(c.path) + L" --next";
        int count = 0;
        LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
        ASSERT_NE(arguments, nullptr);
        ASSERT_EQ(count, 3) << commandLine;
        EXPECT_EQ(std::wstring(arguments[1]), c.argument) << commandLine;
        EXPECT_EQ(std::wstring(arguments[2]), L"--next") << commandLine;
        LocalFree(arguments);
    }
}
#endif

TEST(ToolCommandLine, FourJobs)
{
    const std::vector<std::wstring> dlc = {L"E:\\DLC 1", L"F:\\"};
    EXPECT_EQ(SetupToolCommandLine(L"C:\\Rel", L"--check-source \"x\""),
              L"\"C:\\Rel\\setup\\python\\python.exe\" -X utf8 -u \"C:\\Rel\\setup\\setup.py\" "
              L"--check-source \"x\"");
    EXPECT_EQ(CheckSourceArguments(L"D:\\Disc.iso"), L"--check-source \"D:\\Disc.iso\"");
    EXPECT_EQ(CheckDlcArguments(dlc), L"--check-dlc \"E:\\DLC 1\" --check-dlc \"F:\\\\\" ");
    EXPECT_EQ(CheckDlcArguments({}), L"");
    EXPECT_EQ(InstallArguments(L"D:\\Disc.iso", L"D:\\Games\\Vantaroo", {}, false),
              L"--source \"D:\\Disc.iso\" --dest \"D:\\Games\\Vantaroo\"");
    EXPECT_EQ(InstallArguments(L"D:\\x", L"C:\\V", dlc, true),
              L"--source \"D:\\x\" --dest \"C:\\V\" --dlc \"E:\\DLC 1\" --dlc \"F:\\\\\" --android");
    EXPECT_EQ(RebuildArguments(L"D:\\Games\\\\"), L"--rebuild --dest \"D:\\Games\"");
}

TEST(GameCommandLine, QuotedPathOneBlankThenTheArgumentsUnchanged)
{
    EXPECT_EQ(GameCommandLine(L"D:\\My Games\\Vantaroo", L""),
              L"\"D:\\My Games\\Vantaroo\\qarn.exe\" ");
    EXPECT_EQ(GameCommandLine(L"C:", L"--x \"a b\""), L"\"C:\\qarn.exe\" --x \"a b\"");
}

} // namespace
