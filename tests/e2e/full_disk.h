// A real full disk under a folder: a small tmpfs mounted over it, holding a
// copy of what the folder held, then filled to the last byte. The tests run
// under Wine as root on Linux, so this program can start the Linux mount
// and umount commands; where that is impossible, Mount says why.
#pragma once

#include <windows.h>

#include <string>

class FullDisk {
public:
    FullDisk() = default;
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Mounts the tmpfs over the folder with the folder's content copied in.
    // False, with the reason in why, when it cannot be done here.
    bool Mount(const std::wstring& folder, std::string& why);
    // Fills the disk; returns the system error code of the write that found
    // it full (0 when no write failed).
    DWORD Fill();

private:
    std::wstring folder_;
    bool mounted_ = false;
};
