#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "setup/line_splitter.h"
#include "setup/log_model.h"
#include "setup/output_batcher.h"
#include "setup/tool_output.h"
#include "setup/utf8_decoder.h"

namespace {

using Batches = std::vector<OutputBatch>;

// Feeds the chunks, taking every ready batch after each, and the gathered
// batch at the end.
Batches Batch(const std::vector<std::string>& chunks, BatchLimits limits = {})
{
    OutputBatcher batcher(limits);
    Batches batches;
    for (const std::string& chunk : chunks) {
        batcher.Add(chunk.data(), chunk.size());
        while (batcher.HasReadyBatch())
            batches.push_back(batcher.TakeReadyBatch());
    }
    if (batcher.HasGathered())
        batches.push_back(batcher.TakeGathered());
    EXPECT_FALSE(batcher.HasGathered());
    EXPECT_FALSE(batcher.HasReadyBatch());
    return batches;
}

std::vector<std::size_t> LineCounts(const Batches& batches)
{
    std::vector<std::size_t> counts;
    for (const OutputBatch& batch : batches)
        counts.push_back(batch.lineCount);
    return counts;
}

std::string Repeat(const std::string& line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

TEST(OutputBatcher, BatchesKeepTheirBoundsOfLinesAndBytes)
{
    struct Case {
        const char* name;
        BatchLimits limits;
        std::string input;
        std::vector<std::size_t> lineCounts;
    } cases[] = {
        {"nothing gathered, no batch", {}, "", {}},
        {"an unfinished line is no batch", {}, "abc", {}},
        {"few lines: one gathered batch", {}, "a\nb\nc\n", {3}},
        {"the line bound", {4, 1000, 100, 1000}, Repeat("ab\n", 10), {4, 4, 2}},
        {"empty lines count against the line bound", {3, 1000, 100, 1000}, Repeat("\n", 7), {3, 3, 1}},
        {"the byte bound: 3 + 3 + 3 > 8", {100, 8, 8, 1000}, Repeat("abc\n", 5), {2, 2, 1}},
        {"the byte bound reached exactly", {100, 6, 6, 1000}, Repeat("abc\n", 5), {2, 2, 1}},
        {"a piece fills a batch alone", {100, 8, 8, 1000}, "a\n" + std::string(20, 'x') + "\n",
         {1, 1, 1, 1}},
        {"a piece bigger than the byte bound is cut to it", {100, 5, 50, 1000},
         std::string(12, 'x') + "\n", {1, 1, 1}},
        {"both bounds at one", {1, 1, 1, 1}, "ab\n\n", {1, 1, 1}},
    };
    for (const Case& c : cases) {
        const Batches batches = Batch({c.input}, c.limits);
        EXPECT_EQ(LineCounts(batches), c.lineCounts) << c.name;
    }
}

TEST(OutputBatcher, EachLineDoesWhatItDidAlone)
{
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        bool hasProgress;
        std::int32_t progress;
        bool hasStatusText;
        std::wstring statusText;
        std::vector<std::pair<bool, std::wstring>> results;
        std::vector<std::wstring> logLines;
    } cases[] = {
        {"a progress marker split across reads", {"@", "P 4", "5 Reading\n"}, true, 45, true, L"Reading", {}, {}},
        {"a result marker split across reads", {"@R", " 1 Disc accepted\r", "\n"}, false, 0, false, L"",
         {{true, L"Disc accepted"}}, {}},
        {"the last position and the last text count", {"@P 10 one\n@P 20 two\n@P 30\n"}, true, 30, true, L"two", {}, {}},
        {"a progress line without text keeps no text", {"@P 30\n"}, true, 30, false, L"", {}, {}},
        {"results in order", {"@R 1 a\n@R 0 b\n"}, false, 0, false, L"", {{true, L"a"}, {false, L"b"}}, {}},
        {"a NUL inside a log line shows", {std::string("a\0b\n", 4)}, false, 0, false, L"", {},
         {std::wstring(L"a\xFFFD" L"b")}},
        {"a NUL inside a status text shows", {std::string("@P 5 a\0b\n", 9)}, true, 5, true,
         std::wstring(L"a\xFFFD" L"b"), {}, {}},
        {"a NUL right after the number is skipped as the separator", {std::string("@P 5\0x\n", 7)}, true, 5,
         true, L"x", {}, {}},
        {"a NUL in the marker makes a log line", {std::string("@P\0 5\n", 6)}, false, 0, false, L"", {},
         {std::wstring(L"@P\xFFFD 5")}},
        {"a read that ends inside a character", {"caf\xC3", "\xA9\n@P 1 \xE2\x82", "\xAC\n"}, true, 1, true,
         L"\x20AC", {}, {L"caf\xE9"}},
        {"a truncated character before the LF", {"ab\xE2\x82\n"}, false, 0, false, L"", {}, {L"ab\xFFFD"}},
        {"lowercase markers are log lines", {"@p 5\n@r 1 x\n"}, false, 0, false, L"", {}, {L"@p 5", L"@r 1 x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Batches batches = Batch(c.chunks);
        ASSERT_EQ(batches.size(), 1u);
        const OutputBatch& batch = batches[0];
        EXPECT_EQ(batch.hasProgress, c.hasProgress);
        EXPECT_EQ(batch.progress, c.progress);
        EXPECT_EQ(batch.hasStatusText, c.hasStatusText);
        EXPECT_EQ(batch.statusText, c.statusText);
        ASSERT_EQ(batch.results.size(), c.results.size());
        for (std::size_t i = 0; i < c.results.size(); ++i) {
            EXPECT_EQ(batch.results[i].ok, c.results[i].first);
            EXPECT_EQ(batch.results[i].text, c.results[i].second);
        }
        EXPECT_EQ(batch.logLines, c.logLines);
        EXPECT_EQ(batch.logLinesSkipped, 0u);
    }
}

TEST(OutputBatcher, ALongLineComesInPiecesAndOnlyItsFirstCanBeAVerdict)
{
    const std::size_t length = 1024 * 1024;
    const std::string line = "@R 1 " + std::string(length - 5, 'x');
    const std::string input = line + "\r\n" + "@P 42 after\n" + "@R 0 the verdict\n";
    std::vector<std::string> chunks;
    for (std::size_t at = 0; at < input.size(); at += 4096)
        chunks.push_back(input.substr(at, 4096));
    // A continuation that looks like a marker is still a log line.
    chunks.push_back(std::string(kLinePieceBytes, 'y') + "@P 99 no\n");

    std::vector<ResultVerdict> results;
    std::vector<std::wstring> logLines;
    std::size_t lines = 0;
    std::int32_t progress = -1;
    for (const OutputBatch& batch : Batch(chunks)) {
        EXPECT_LE(batch.lineCount, kBatchMaxLines);
        lines += batch.lineCount;
        results.insert(results.end(), batch.results.begin(), batch.results.end());
        logLines.insert(logLines.end(), batch.logLines.begin(), batch.logLines.end());
        if (batch.hasProgress)
            progress = batch.progress;
    }
    const std::size_t pieces = length / kLinePieceBytes; // 1 MB is a whole number of pieces
    EXPECT_EQ(lines, pieces + 2 + 2);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[0].ok);
    EXPECT_EQ(results[0].text, std::wstring(kLinePieceBytes - 5, L'x'));
    EXPECT_FALSE(results[1].ok);
    EXPECT_EQ(results[1].text, L"the verdict");
    EXPECT_EQ(progress, 42);
    ASSERT_FALSE(logLines.empty());
    EXPECT_EQ(logLines.back(), L"@P 99 no");
    for (const std::wstring& log : logLines)
        EXPECT_LE(log.size(), kLinePieceBytes);
}

// Lines of every kind, with multi-byte characters, CR, NUL, ill-formed
// bytes and long lines, at random.
std::string RandomOutput(std::mt19937& random, int lines)
{
    static const char* const kParts[] = {
        "@P ", "@R ", "@P 12", "@R 1 ", "@R 0 ", " text", "\xC3\xA9", "\xE2\x82\xAC",
        "\xF0\x9F\x98\x80", "\r", "\x80", "\xE2\x82", "@", "x", "12 ", "-3",
    };
    std::string text;
    for (int i = 0; i < lines; ++i) {
        const int parts = static_cast<int>(random() % 6);
        for (int p = 0; p < parts; ++p)
            text += kParts[random() % std::size(kParts)];
        if (random() % 20 == 0)
            text.push_back('\0');
        if (random() % 30 == 0)
            text += std::string(random() % 200, static_cast<char>('a' + random() % 26));
        text += random() % 4 == 0 ? "\r\n" : "\n";
    }
    return text;
}

std::vector<std::string> Chunk(const std::string& input, std::mt19937& random, std::size_t most)
{
    std::vector<std::string> chunks;
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t size = std::min(input.size() - at, 1 + random() % most);
        chunks.push_back(input.substr(at, size));
        at += size;
    }
    return chunks;
}

TEST(OutputBatcher, AnyChunkingGivesTheSameBatches)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const std::string input = RandomOutput(random, 300);
        const BatchLimits limits{1 + random() % 50, 16 + random() % 300, 1 + random() % 40,
                                 1 + random() % 400};
        const Batches whole = Batch({input}, limits);
        for (std::size_t most : {std::size_t(1), std::size_t(3), std::size_t(17), std::size_t(4096)}) {
            const Batches chunked = Batch(Chunk(input, random, most), limits);
            ASSERT_EQ(chunked.size(), whole.size()) << seed << " " << most;
            for (std::size_t i = 0; i < whole.size(); ++i)
                ASSERT_TRUE(chunked[i] == whole[i]) << seed << " " << most << " batch " << i;
        }
    }
}

// The window as it was, line by line: progress, status, verdicts and every
// log line (the model keeps only the newest).
struct Window {
    std::int32_t progress = 0;
    std::wstring status;
    std::vector<std::pair<bool, std::wstring>> results;
    LogModel log;
};

TEST(OutputBatcher, ApplyingTheBatchesGivesWhatEachLineGave)
{
    std::uint64_t skippedInAll = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const std::string input = RandomOutput(random, 2000);
        BatchLimits limits{1 + random() % 700, 64 + random() % 4000, 1 + random() % 64,
                           200 + random() % 800};
        Window lineByLine, batched;
        lineByLine.log.highMark = batched.log.highMark = limits.logKeepChars;
        lineByLine.log.lowMark = batched.log.lowMark = limits.logKeepChars / 2;
        std::vector<std::wstring> allLogLines;

        LineSplitter splitter(limits.pieceBytes);
        splitter.Add(input.data(), input.size(), [&](const char* bytes, std::size_t size, bool starts) {
            std::wstring line = DecodeUtf8(std::string_view(bytes, size));
            ShowNulCharacters(line);
            const ToolLine classified = starts ? ClassifyToolLine(line) : ToolLine();
            if (classified.kind == ProgressLine) {
                lineByLine.progress = classified.progress;
                if (classified.hasText)
                    lineByLine.status = classified.text;
            } else if (classified.kind == ResultLine) {
                lineByLine.results.emplace_back(classified.ok, classified.text);
            } else {
                allLogLines.push_back(line);
                AddLogLine(lineByLine.log, line);
            }
        });

        for (const OutputBatch& batch : Batch(Chunk(input, random, 64), limits)) {
            if (batch.hasProgress)
                batched.progress = batch.progress;
            if (batch.hasStatusText)
                batched.status = batch.statusText;
            for (const ResultVerdict& result : batch.results)
                batched.results.emplace_back(result.ok, result.text);
            skippedInAll += batch.logLinesSkipped;
            if (batch.logLinesSkipped > 0)
                SkipLogLines(batched.log, batch.logLinesSkipped);
            for (const std::wstring& line : batch.logLines)
                AddLogLine(batched.log, line);
        }
        EXPECT_EQ(batched.progress, lineByLine.progress) << seed;
        EXPECT_EQ(batched.status, lineByLine.status) << seed;
        EXPECT_EQ(batched.results, lineByLine.results) << seed;
        ASSERT_EQ(LogEnd(batched.log), allLogLines.size()) << seed;
        ASSERT_FALSE(batched.log.lines.empty()) << seed;
        EXPECT_LE(batched.log.chars, limits.logKeepChars + 2 + limits.pieceBytes) << seed;
        for (std::size_t i = 0; i < batched.log.lines.size(); ++i)
            ASSERT_EQ(batched.log.lines[i], allLogLines[batched.log.first + i]) << seed;
    }
    EXPECT_GT(skippedInAll, 0u); // the skipping was tried
}

} // namespace
