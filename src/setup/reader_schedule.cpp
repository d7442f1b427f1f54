#include "setup/reader_schedule.h"

#include <algorithm>

namespace {

std::uint32_t Remaining(std::uint64_t limit, std::uint64_t elapsed)
{
    return static_cast<std::uint32_t>(limit - elapsed);
}

} // namespace

ReaderNext NextReaderStep(const ReaderTimes& times)
{
    const bool ended = times.toolEnded.has_value();
    const std::uint64_t sinceEnd = ended ? times.now - *times.toolEnded : 0;
    // Checked before the data: a helper that keeps printing must not keep
    // the run open.
    if (ended && sinceEnd >= kDrainLimitMs)
        return {ReaderStep::End};
    if (times.dataAvailable)
        return {ReaderStep::Read};
    if (times.batchOpenSince) {
        const std::uint64_t open = times.now - *times.batchOpenSince;
        if (!ended && open < kBatchLingerMs)
            return {ReaderStep::Wait, Remaining(kBatchLingerMs, open)};
        return {ReaderStep::Post};
    }
    if (!ended)
        return {ReaderStep::Wait, kNoDeadline};
    // Quiet since the later of the tool's end and the last output.
    const std::uint64_t quietSince = std::max(*times.toolEnded, times.lastOutput.value_or(0));
    const std::uint64_t quiet = times.now - quietSince;
    if (quiet >= kDrainGraceMs)
        return {ReaderStep::End};
    return {ReaderStep::Wait,
            std::min(Remaining(kDrainGraceMs, quiet), Remaining(kDrainLimitMs, sinceEnd))};
}
