#include "setup/install_folder_rule.h"

#include "base/folder_rules.h"
#include "base/names.h"

std::wstring InstallFolderForPick(std::wstring folder,
                                  const std::function<bool(const std::wstring&)>& pathExists)
{
    // A drive root such as C:\ keeps its backslash.
    while (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    const std::wstring::size_type lastBackslash = folder.rfind(L'\\');
    const std::wstring leaf =
        lastBackslash == std::wstring::npos ? folder : folder.substr(lastBackslash + 1);
    if (leaf == kGameTitle)
        return folder;
    // A folder that already holds an installation is used as it is.
    if (pathExists(folder + kGameExeName))
        return folder;
    if (!folder.empty() && folder.back() == L'\\')
        return folder + kGameTitle;
    return folder + L"\\" + kGameTitle;
}
