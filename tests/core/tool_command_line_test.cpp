#include <gtest/gtest.h>

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
        {L"C:\\\\", L"\"C:\\\\\""},
        {L"", L"\"\""},
        {L"a b", L"\"a b\""},
        {L"say \"hi\"", L"\"say \"hi\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteArg(c.path), c.quoted) << c.path;
}

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
