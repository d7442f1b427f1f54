// The line splitter under any chunking. The input: one byte for the piece
// size, one for how many chunk sizes follow, the chunk sizes (used in turn,
// 0 is an empty read), then the output bytes. Checks: every chunking gives
// the lines and pieces of one whole read; no piece is longer than the piece
// size and no more than a piece is held; the pieces of a line join to the
// line TakeCompleteLines gives; from four bytes a piece up, a piece never
// cuts a UTF-8 sequence (the pieces decode to what the line decodes to).
#include <string>
#include <vector>

#include "../line_oracle.h"
#include "fuzz_check.h"
#include "setup/line_splitter.h"
#include "setup/utf8_decoder.h"

namespace {

struct Piece {
    std::string bytes;
    bool startsLine;
    bool operator==(const Piece&) const = default;
};

std::vector<Piece> Split(const std::string& output, const std::vector<std::size_t>& sizes,
                         std::size_t pieceBytes)
{
    LineSplitter splitter(pieceBytes);
    std::vector<Piece> pieces;
    auto sink = [&](const char* bytes, std::size_t size, bool startsLine) {
        FUZZ_CHECK(size <= pieceBytes);
        pieces.push_back({std::string(bytes, size), startsLine});
    };
    std::size_t at = 0, turn = 0;
    while (at < output.size()) {
        std::size_t size = output.size() - at;
        if (!sizes.empty())
            size = std::min(size, sizes[turn++ % sizes.size()]);
        splitter.Add(output.data() + at, size, sink);
        FUZZ_CHECK(splitter.PendingBytes() <= pieceBytes + 1);
        at += size;
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{data, size};
    const std::size_t pieceBytes = 1 + input.Byte() % 32;
    const std::size_t count = input.Byte() % 16;
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < count; ++i)
        sizes.push_back(input.Byte() % 64);
    if (!sizes.empty() && *std::max_element(sizes.begin(), sizes.end()) == 0)
        sizes.clear(); // empty reads only would never end
    const std::string output(reinterpret_cast<const char*>(input.data), input.size);

    const std::vector<Piece> whole = Split(output, {}, pieceBytes);
    FUZZ_CHECK(Split(output, sizes, pieceBytes) == whole);
    FUZZ_CHECK(Split(output, {1}, pieceBytes) == whole);

    std::string pending;
    const std::vector<std::string> lines = TakeCompleteLines(pending, output.data(), output.size());
    std::vector<std::string> joined;
    std::vector<std::wstring> decoded;
    for (const Piece& piece : whole) {
        if (piece.startsLine) {
            joined.emplace_back();
            decoded.emplace_back();
        }
        FUZZ_CHECK(!joined.empty());
        joined.back() += piece.bytes;
        decoded.back() += DecodeUtf8(piece.bytes);
    }
    // Pieces of the unfinished last line are handed on too: they begin the
    // bytes TakeCompleteLines leaves pending.
    if (joined.size() == lines.size() + 1) {
        FUZZ_CHECK(pending.compare(0, joined.back().size(), joined.back()) == 0);
        FUZZ_CHECK(pending.size() > joined.back().size());
        joined.pop_back();
    }
    FUZZ_CHECK(joined == lines);
    if (pieceBytes >= 4)
        for (std::size_t i = 0; i < lines.size(); ++i)
            FUZZ_CHECK(decoded[i] == DecodeUtf8(lines[i]));
    return 0;
}
