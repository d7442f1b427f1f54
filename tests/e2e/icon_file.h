// Writes an .ico file of one square 32-bit image in a single solid colour,
// fully opaque, so that a painted icon can be recognised pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace icon_file {

inline void PutLittleEndian(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// ICONDIR, one ICONDIRENTRY, then the image: a BITMAPINFOHEADER of double
// height (colour rows and mask rows), the BGRA rows bottom-up and an AND mask
// of zeros (every pixel opaque).
inline std::string SolidIcon(int size, COLORREF colour)
{
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(size * size * 4);
    const std::uint32_t maskRowBytes = static_cast<std::uint32_t>(((size + 31) / 32) * 4);
    const std::uint32_t maskBytes = maskRowBytes * static_cast<std::uint32_t>(size);
    const std::uint32_t imageBytes = 40 + pixelBytes + maskBytes;

    std::string bytes;
    PutLittleEndian(bytes, 0, 2); // reserved
    PutLittleEndian(bytes, 1, 2); // type: icon
    PutLittleEndian(bytes, 1, 2); // one image
    PutLittleEndian(bytes, static_cast<std::uint32_t>(size % 256), 1);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(size % 256), 1);
    PutLittleEndian(bytes, 0, 1); // no palette
    PutLittleEndian(bytes, 0, 1);
    PutLittleEndian(bytes, 1, 2);  // planes
    PutLittleEndian(bytes, 32, 2); // bits per pixel
    PutLittleEndian(bytes, imageBytes, 4);
    PutLittleEndian(bytes, 6 + 16, 4); // the image follows the one entry

    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(size), 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(size * 2), 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 32, 2);
    PutLittleEndian(bytes, BI_RGB, 4);
    PutLittleEndian(bytes, pixelBytes + maskBytes, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);

    for (int pixel = 0; pixel < size * size; ++pixel) {
        bytes.push_back(static_cast<char>(GetBValue(colour)));
        bytes.push_back(static_cast<char>(GetGValue(colour)));
        bytes.push_back(static_cast<char>(GetRValue(colour)));
        bytes.push_back(static_cast<char>(0xFF));
    }
    bytes.append(maskBytes, '\0');
    return bytes;
}

} // namespace icon_file
