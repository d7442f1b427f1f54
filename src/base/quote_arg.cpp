#include "base/quote_arg.h"

std::wstring QuoteArg(std::wstring path)
{
    while (path.size() >= 4 && path.back() == L'\\')
        path.pop_back();
    // Backslashes before a quote are halved by whoever parses the command
    // line, so each one left at the end is doubled.
    const std::size_t kept = path.find_last_not_of(L'\\') + 1; // npos + 1 == 0
    path.append(path.size() - kept, L'\\');
    return L"\"" + path + L"\"";
}
