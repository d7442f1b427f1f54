#include "setup/tool_output.h"

void ShowNulCharacters(std::wstring& line)
{
    for (wchar_t& c : line)
        if (c == L'\0')
            c = kShownForNul;
}

DecimalNumber ReadLongLikeWcstol(std::wstring_view text, std::size_t start)
{
    return ReadDecimalNumber(text, start);
}

ToolLine ClassifyToolLine(const std::wstring& line)
{
    ToolLine classified;
    const std::size_t n = line.size();
    if (n >= 3 && line.compare(0, 3, L"@P ") == 0) {
        classified.kind = ProgressLine;
        const DecimalNumber number = ReadLongLikeWcstol(line, 3);
        classified.progress = number.value;
        if (number.stop < n) {
            classified.hasText = true;
            classified.text = line.substr(number.stop + 1);
        }
        return classified;
    }
    if (n >= 3 && line.compare(0, 3, L"@R ") == 0) {
        classified.kind = ResultLine;
        classified.ok = n > 3 && line[3] == L'1';
        if (n >= 6)
            classified.text = line.substr(5);
        return classified;
    }
    classified.kind = LogLine;
    return classified;
}
