#include "base/quote_arg.h"

std::wstring QuoteArg(std::wstring path)
{
    while (path.size() >= 4 && path.back() == L'\\')
        path.pop_back();
    if (!path.empty() && path.back() == L'\\')
        path.push_back(L'\\');
    return L"\"" + path + L"\"";
}
