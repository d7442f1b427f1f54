#include <gtest/gtest.h>

#include <set>

#include "setup/install_folder_rule.h"

namespace {

TEST(InstallFolderRule, GameTitleAddedUnlessThePickIsAlreadyTheGamesFolder)
{
    const std::set<std::wstring> existing = {L"E:\\Old Install\\qarn.exe", L"F:\\vantaroo\\x"};
    auto exists = [&](const std::wstring& path) { return existing.count(path) > 0; };
    struct Case {
        const wchar_t* picked;
        const wchar_t* folder;
    } cases[] = {
        {L"D:\\Games\\", L"D:\\Games\\Vantaroo"},
        {L"D:\\Games", L"D:\\Games\\Vantaroo"},
        {L"D:\\Games\\\\", L"D:\\Games\\Vantaroo"},
        {L"D:\\Games\\Vantaroo", L"D:\\Games\\Vantaroo"},
        {L"D:\\Games\\Vantaroo\\", L"D:\\Games\\Vantaroo"},
        {L"E:\\Old Install", L"E:\\Old Install"},
        {L"C:\\", L"C:\\Vantaroo"},
        {L"F:\\vantaroo", L"F:\\vantaroo\\Vantaroo"},
        {L"Vantaroo", L"Vantaroo"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InstallFolderForPick(c.picked, exists), c.folder) << c.picked;
}

} // namespace
