#include "setup/utf8_decoder.h"

#include <cstdint>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Decodes into out, which has room for bytes.size() code units (UTF-16
// never needs more units than UTF-8 has bytes); returns the units written.
std::size_t DecodeInto(std::string_view bytes, wchar_t* out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0, w = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            out[w++] = static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(c);
        if (length == 0) {
            out[w++] = kReplacement;
            ++i;
            continue;
        }
        // The second byte's range depends on the lead (no overlong forms,
        // no surrogates, nothing above U+10FFFF); the others are 80..BF.
        unsigned char low = 0x80, high = 0xBF;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
        else if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
        std::uint32_t code = c & (0xFF >> (length + 1));
        std::size_t j = i + 1;
        bool whole = true;
        for (; j < i + length; ++j) {
            if (j >= n || s[j] < low || s[j] > high) {
                whole = false;
                break;
            }
            code = (code << 6) | (s[j] & 0x3F);
            low = 0x80;
            high = 0xBF;
        }
        // An ill-formed subpart (the lead and the continuation bytes that
        // fitted) is one replacement; the byte that did not fit is read anew.
        i = j;
        if (!whole) {
            out[w++] = kReplacement;
        } else if (code >= 0x10000) {
            code -= 0x10000;
            out[w++] = static_cast<wchar_t>(0xD800 + (code >> 10));
            out[w++] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out[w++] = static_cast<wchar_t>(code);
        }
    }
    return w;
}

} // namespace

std::wstring DecodeUtf8(std::string_view bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(DecodeInto(bytes, text.data()));
    return text;
}
