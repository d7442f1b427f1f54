// The system's own words for an error code, to show the user why something
// failed.
#pragma once

#include <windows.h>

#include <string>

// FormatMessageW's text for the code without its line end; "error N" when
// the system has no text for it.
std::wstring SystemErrorText(DWORD code);
