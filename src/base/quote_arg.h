// The one way a path is put on a command line.
#pragma once

#include <string>

// Trailing backslashes cut while the path has at least 4 characters, every
// trailing backslash that remains doubled (so that neither a drive root nor a
// short path of backslashes escapes the closing quote), the result in double
// quotes.
std::wstring QuoteArg(std::wstring path);
