// The one way a path is put on a command line.
#pragma once

#include <string>

// Trailing backslashes cut while the path has at least 4 characters, a
// remaining final backslash doubled (so that a drive root does not escape the
// closing quote), the result in double quotes.
std::wstring QuoteArg(std::wstring path);
