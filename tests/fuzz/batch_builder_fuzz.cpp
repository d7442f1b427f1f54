// The batch builder under any chunking. The input: four bytes for the limits
// (lines, bytes, piece size, characters the log keeps), one for how many
// chunk sizes follow, the chunk sizes (used in turn, 0 is an empty read),
// then the output bytes. Checks: the chunked reads give the batches of one
// whole read; every batch keeps its bounds; every batch says what its lines,
// decoded and classified one by one, say.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "setup/line_splitter.h"
#include "setup/output_batcher.h"
#include "setup/tool_output.h"
#include "setup/utf8_decoder.h"

namespace {

// Reads in turn; ready batches are taken after every read, or, with
// takeLate, only at the end.
std::vector<OutputBatch> Build(const std::string& output, const std::vector<std::size_t>& sizes,
                               const BatchLimits& limits, bool takeLate)
{
    OutputBatcher batcher(limits);
    std::vector<OutputBatch> batches;
    std::size_t at = 0, turn = 0;
    while (at < output.size()) {
        std::size_t size = output.size() - at;
        if (!sizes.empty())
            size = std::min(size, sizes[turn++ % sizes.size()]);
        batcher.Add(output.data() + at, size);
        FUZZ_CHECK(batcher.PendingBytes() <= batcher.Limits().pieceBytes + 1);
        at += size;
        while (!takeLate && batcher.HasReadyBatch())
            batches.push_back(batcher.TakeReadyBatch());
    }
    while (batcher.HasReadyBatch())
        batches.push_back(batcher.TakeReadyBatch());
    if (batcher.HasGathered())
        batches.push_back(batcher.TakeGathered());
    FUZZ_CHECK(!batcher.HasGathered() && !batcher.HasReadyBatch());
    return batches;
}

struct Piece {
    std::string bytes;
    bool startsLine;
};

// What a batch of these lines says, built line by line.
OutputBatch Expected(const std::vector<Piece>& pieces, std::size_t keepChars)
{
    OutputBatch batch;
    batch.lineCount = pieces.size();
    std::vector<std::wstring> logLines;
    for (const Piece& piece : pieces) {
        std::wstring line = DecodeUtf8(piece.bytes);
        ShowNulCharacters(line);
        const ToolLine classified = piece.startsLine ? ClassifyToolLine(line) : ToolLine();
        if (classified.kind == ProgressLine) {
            batch.hasProgress = true;
            batch.progress = classified.progress;
            if (classified.hasText) {
                batch.hasStatusText = true;
                batch.statusText = classified.text;
            }
        } else if (classified.kind == ResultLine) {
            batch.results.push_back({classified.ok, classified.text});
        } else {
            logLines.push_back(line);
        }
    }
    std::size_t kept = 0, chars = 0;
    while (kept < logLines.size()) {
        const std::size_t shown = logLines[logLines.size() - 1 - kept].size() + 2;
        if (kept > 0 && chars + shown > keepChars)
            break;
        chars += shown;
        ++kept;
    }
    batch.logLinesSkipped = logLines.size() - kept;
    batch.logLines.assign(logLines.end() - static_cast<std::ptrdiff_t>(kept), logLines.end());
    return batch;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{data, size};
    BatchLimits limits;
    limits.lines = 1 + input.Byte() % 16;
    limits.bytes = 1 + input.Byte() % 64;
    limits.pieceBytes = 1 + input.Byte() % 32;
    limits.logKeepChars = input.Byte() % 64;
    const std::size_t count = input.Byte() % 16;
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < count; ++i)
        sizes.push_back(input.Byte() % 64);
    if (!sizes.empty() && *std::max_element(sizes.begin(), sizes.end()) == 0)
        sizes.clear(); // empty reads only would never end
    const std::string output(reinterpret_cast<const char*>(input.data), input.size);

    const std::vector<OutputBatch> whole = Build(output, {}, limits, false);
    for (bool takeLate : {false, true}) {
        const std::vector<OutputBatch> chunked = Build(output, sizes, limits, takeLate);
        FUZZ_CHECK(chunked.size() == whole.size());
        for (std::size_t i = 0; i < whole.size(); ++i)
            FUZZ_CHECK(chunked[i] == whole[i]);
    }

    // The lines one by one, as the batcher's own limits cut them.
    const BatchLimits used = OutputBatcher(limits).Limits();
    FUZZ_CHECK(used.pieceBytes <= used.bytes);
    std::vector<Piece> pieces;
    LineSplitter splitter(used.pieceBytes);
    splitter.Add(output.data(), output.size(), [&](const char* bytes, std::size_t length, bool starts) {
        FUZZ_CHECK(length <= used.pieceBytes);
        pieces.push_back({std::string(bytes, length), starts});
    });
    std::size_t next = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const OutputBatch& batch = whole[i];
        FUZZ_CHECK(batch.lineCount >= 1 && batch.lineCount <= used.lines);
        FUZZ_CHECK(next + batch.lineCount <= pieces.size());
        const std::vector<Piece> lines(pieces.begin() + static_cast<std::ptrdiff_t>(next),
                                       pieces.begin() + static_cast<std::ptrdiff_t>(next + batch.lineCount));
        std::size_t bytes = 0;
        for (const Piece& line : lines)
            bytes += line.bytes.size();
        FUZZ_CHECK(bytes <= used.bytes);
        // Every batch but the last reached a bound: one more line would not fit.
        if (i + 1 < whole.size())
            FUZZ_CHECK(batch.lineCount == used.lines || bytes == used.bytes
                       || bytes + pieces[next + batch.lineCount].bytes.size() > used.bytes);
        FUZZ_CHECK(batch == Expected(lines, used.logKeepChars));
        next += batch.lineCount;
    }
    FUZZ_CHECK(next == pieces.size());
    return 0;
}
