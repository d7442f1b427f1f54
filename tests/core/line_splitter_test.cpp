#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "../line_oracle.h"
#include "setup/line_splitter.h"

namespace {

// ---- The oracle ----

using Lines = std::vector<std::string>;

// Feeds the pieces one after another, as separate reads of the pipe.
Lines SplitPieces(const std::vector<std::string>& pieces, std::string* leftOver = nullptr)
{
    std::string pending;
    Lines all;
    for (const std::string& piece : pieces)
        for (std::string& line : TakeCompleteLines(pending, piece.data(), piece.size()))
            all.push_back(line);
    if (leftOver)
        *leftOver = pending;
    return all;
}

TEST(TakeCompleteLines, Table)
{
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        Lines lines;
        std::string leftOver;
    } cases[] = {
        {"three letters without LF show nothing", {"abc"}, {}, "abc"},
        {"CR LF and LF both end a line", {"one\r\ntwo\n"}, {"one", "two"}, ""},
        {"CR LF alone is an empty line", {"\r\n"}, {""}, ""},
        {"LF alone is an empty line", {"\n"}, {""}, ""},
        {"only one CR is dropped", {"a\r\r\n"}, {"a\r"}, ""},
        {"a CR not before LF stays", {"a\rb\n"}, {"a\rb"}, ""},
        {"the last piece without LF stays pending", {"one\ntw"}, {"one"}, "tw"},
        {"a line split across reads", {"on", "e\ntwo", "\n"}, {"one", "two"}, ""},
        {"CR and LF in different reads", {"one\r", "\n"}, {"one"}, ""},
        {"a UTF-8 character split across reads", {"caf\xC3", "\xA9\n"}, {"caf\xC3\xA9"}, ""},
        {"many lines in one read", {"1\n2\n3\n4\n"}, {"1", "2", "3", "4"}, ""},
        {"an empty read changes nothing", {"x", "", "\n"}, {"x"}, ""},
        {"a NUL byte is kept", {std::string("a\0b\n", 4)}, {std::string("a\0b", 3)}, ""},
    };
    for (const Case& c : cases) {
        std::string leftOver;
        EXPECT_EQ(SplitPieces(c.pieces, &leftOver), c.lines) << c.name;
        EXPECT_EQ(leftOver, c.leftOver) << c.name;
    }
}

// ---- The splitter ----

struct Piece {
    std::string bytes;
    bool startsLine;
    bool operator==(const Piece&) const = default;
};
using Pieces = std::vector<Piece>;

std::ostream& operator<<(std::ostream& out, const Piece& piece)
{
    return out << (piece.startsLine ? "[" : "+[") << piece.bytes.size() << " bytes]";
}

Pieces SplitChunks(const std::vector<std::string>& chunks, std::size_t pieceBytes)
{
    LineSplitter splitter(pieceBytes);
    Pieces pieces;
    std::size_t mostHeld = 0;
    for (const std::string& chunk : chunks) {
        splitter.Add(chunk.data(), chunk.size(), [&](const char* bytes, std::size_t size, bool starts) {
            pieces.push_back({std::string(bytes, size), starts});
        });
        mostHeld = std::max(mostHeld, splitter.PendingBytes());
    }
    EXPECT_LE(mostHeld, pieceBytes + 1);
    return pieces;
}

TEST(LineSplitter, Table)
{
    constexpr std::size_t kBig = 1000;
    struct Case {
        const char* name;
        std::size_t pieceBytes;
        std::vector<std::string> chunks;
        Pieces pieces;
    } cases[] = {
        {"three letters without LF show nothing", kBig, {"abc"}, {}},
        {"CR LF and LF both end a line", kBig, {"one\r\ntwo\n"}, {{"one", true}, {"two", true}}},
        {"CR LF alone is an empty line", kBig, {"\r\n"}, {{"", true}}},
        {"LF alone is an empty line", kBig, {"\n"}, {{"", true}}},
        {"only one CR is dropped", kBig, {"a\r\r\n"}, {{"a\r", true}}},
        {"a CR not before LF stays", kBig, {"a\rb\n"}, {{"a\rb", true}}},
        {"a line split across reads", kBig, {"on", "e\ntwo", "\n"}, {{"one", true}, {"two", true}}},
        {"CR and LF in different reads", kBig, {"one\r", "\n"}, {{"one", true}}},
        {"a UTF-8 character split across reads", kBig, {"caf\xC3", "\xA9\n"}, {{"caf\xC3\xA9", true}}},
        {"an empty read changes nothing", kBig, {"x", "", "\n"}, {{"x", true}}},
        {"a NUL byte is kept", kBig, {std::string("a\0b\n", 4)}, {{std::string("a\0b", 3), true}}},
        {"exactly a piece is one line", 4, {"abcd\n"}, {{"abcd", true}}},
        {"exactly a piece with CR LF is one line", 4, {"abcd\r\n"}, {{"abcd", true}}},
        {"exactly a piece, CR and LF apart", 4, {"abcd\r", "\n"}, {{"abcd", true}}},
        {"one byte more gives two pieces", 4, {"abcde\n"}, {{"abcd", true}, {"e", false}}},
        {"a CR not before LF is cut like any byte", 4, {"abc\rde\n"}, {{"abc\r", true}, {"de", false}}},
        {"pieces while the line is unfinished", 4, {"abcdefghij"}, {{"abcd", true}, {"efgh", false}}},
        {"a piece never cuts a character", 4, {"abc\xE2\x82\xAC" "def\n"},
         {{"abc", true}, {"\xE2\x82\xAC" "d", false}, {"ef", false}}},
        {"nor a character split across reads", 4, {"abc\xE2", "\x82", "\xAC" "def\n"},
         {{"abc", true}, {"\xE2\x82\xAC" "d", false}, {"ef", false}}},
        {"a 4-byte character after one byte", 4, {"a\xF0\x9F\x98\x80" "b\n"},
         {{"a", true}, {"\xF0\x9F\x98\x80", false}, {"b", false}}},
        {"a lead at the piece's start is cut anyway", 2, {"\xE2\x82\xAC\n"},
         {{"\xE2\x82", true}, {"\xAC", false}}},
        {"ill-formed bytes are cut at the piece size", 4, {"\x80\x80\x80\x80\x80\n"},
         {{"\x80\x80\x80\x80", true}, {"\x80", false}}},
        {"the next line starts again", 2, {"abcde\nfg\n"},
         {{"ab", true}, {"cd", false}, {"e", false}, {"fg", true}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitChunks(c.chunks, c.pieceBytes), c.pieces) << c.name;
}

TEST(LineSplitter, HoldsAtMostAPieceOfAHugeLine)
{
    LineSplitter splitter(kLinePieceBytes);
    const std::string chunk(4096, 'x');
    std::size_t pieces = 0, bytes = 0;
    for (int i = 0; i < 1024; ++i) { // 4 MB without LF
        splitter.Add(chunk.data(), chunk.size(), [&](const char*, std::size_t size, bool) {
            ++pieces;
            bytes += size;
            EXPECT_EQ(size, kLinePieceBytes);
        });
        ASSERT_LE(splitter.PendingBytes(), kLinePieceBytes + 1);
        ASSERT_LE(splitter.PendingCapacity(), 2 * (kLinePieceBytes + 2));
    }
    EXPECT_EQ(pieces, 4u * 1024 * 1024 / kLinePieceBytes - 1);
    EXPECT_EQ(bytes + splitter.PendingBytes(), 4u * 1024 * 1024);
}

} // namespace
