#include "setup/line_splitter.h"

#include "setup/utf8_decoder.h"

std::size_t PieceCut(const char* bytes, std::size_t pieceBytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    // The start of the last sequence before the cut: at most three
    // continuation bytes back.
    std::size_t start = pieceBytes - 1;
    while (start > 0 && pieceBytes - start < 4 && IsUtf8Continuation(s[start]))
        --start;
    // A lead whose sequence reaches past the cut starts the next piece
    // instead, unless it is the piece's first byte.
    if (start > 0 && Utf8SequenceLength(s[start]) > pieceBytes - start)
        return start;
    return pieceBytes;
}
