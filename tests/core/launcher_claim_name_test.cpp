#include <gtest/gtest.h>

#include <set>

#include "base/launcher_claim_name.h"

namespace {

// The name is the key two launchers meet by: one per folder, in the user
// session's namespace, and free of the backslashes that would make the
// folder's path a chain of namespace levels.
TEST(LauncherClaimName, OneSessionLocalNamePerFolder)
{
    const std::wstring prefix = L"Local\\";
    const wchar_t* folders[] = {
        L"C:\\GAMES\\RELEASE",
        L"C:\\GAMES\\RELEASE2",
        L"D:\\GAMES\\RELEASE",
        L"C:\\USERS\\\x00C5SA\\DOWNLOADS\\RELEASE",
        L"C:\\USERS\\\x0105SA\\DOWNLOADS\\RELEASE", // differs only in a high byte
        L"",
    };
    std::set<std::wstring> names;
    for (const wchar_t* folder : folders) {
        const std::wstring name = LauncherClaimName(folder);
        EXPECT_EQ(name.rfind(prefix, 0), 0u) << name;
        EXPECT_EQ(name.find(L'\\', prefix.size()), std::wstring::npos) << name;
        EXPECT_EQ(LauncherClaimName(folder), name) << "the same folder, the same name";
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(folders));
}

} // namespace
