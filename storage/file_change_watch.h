#pragma once
// When to read the working file again after something else changed it: once
// its stamp has stayed the same for a second (a sync client or another copy
// writes in bursts), never for this program's own writes, and, when a read
// finds the file unfinished, again later with growing pauses.

#include <cstdint>
#include <optional>

#include "platform/files.h"

namespace quorvel {

class FileChangeWatch {
  public:
    static constexpr std::uint64_t QuietMilliseconds = 1000;
    static constexpr std::uint64_t LongestRetryMilliseconds = 60'000;

    // The file as this program last read or wrote it: no change from there.
    void settled(std::optional<FileStamp> stamp);
    // The file's stamp as seen at `now` (milliseconds); true when it is time to
    // read it again.
    bool readDue(std::optional<FileStamp> stamp, std::uint64_t now);
    // The read found the file unfinished or could not read it: tried again later.
    void readFailed(std::uint64_t now);
    // When the next read falls due if the stamp stays as it is; nothing while
    // no change waits.
    std::optional<std::uint64_t> dueAt() const {
        return changed_ && known_ ? std::optional<std::uint64_t>(dueAt_) : std::nullopt;
    }

  private:
    std::optional<FileStamp> known_;  // as last seen
    bool changed_ = false;            // since the last read
    std::uint64_t dueAt_ = 0;
    std::uint64_t retryPause_ = QuietMilliseconds;
};

}  // namespace quorvel
