#include "base/launcher_claim_name.h"

#include <cstdint>

namespace {

// 64-bit FNV-1a over the UTF-16 code units, low byte first.
std::uint64_t FolderHash(const std::wstring& folder)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (wchar_t unit : folder) {
        const auto value = static_cast<std::uint16_t>(unit);
        for (int shift : {0, 8}) {
            hash ^= (value >> shift) & 0xffu;
            hash *= 0x100000001b3u;
        }
    }
    return hash;
}

} // namespace

std::wstring LauncherClaimName(const std::wstring& upperCasedFolder)
{
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring name = L"Local\\Vantaroo.launcher.";
    const std::uint64_t hash = FolderHash(upperCasedFolder);
    for (int shift = 60; shift >= 0; shift -= 4)
        name += kDigits[(hash >> shift) & 0xfu];
    return name;
}
