// Functions of newer Windows versions, looked up at run time so that the
// launcher still starts on the versions that lack them.
#pragma once

#include <windows.h>

// The function of this name in the module, as the given pointer type; null
// when the module (or the function) is missing. GetProcAddress answers a
// plain FARPROC: the cast through void* says the type is the caller's word.
template <typename Function>
Function LookUp(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}
