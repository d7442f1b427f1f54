// Entry point of Vantaroo.exe.
#include <windows.h>

#include "app/startup_win.h"
#include "base/system_function_win.h"

namespace {

// Only system32 may supply DLLs: releases are unpacked into download folders,
// where a planted DLL beside the exe must never load. SetDefaultDllDirectories
// is looked up at run time because Windows 7 has it only with an update.
void RestrictDllSearchToSystem32()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto setDefault = LookUp<SetDefaultDllDirectoriesFn>(kernel, "SetDefaultDllDirectories");
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    else
        SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand)
{
    RestrictDllSearchToSystem32();
    return RunLauncher(commandLine ? commandLine : L"", showCommand);
}
