#include "storage/file_change_watch.h"

#include <algorithm>

namespace quorvel {

void FileChangeWatch::settled(std::optional<FileStamp> stamp) {
    known_ = stamp;
    changed_ = false;
    retryPause_ = QuietMilliseconds;
}

bool FileChangeWatch::readDue(std::optional<FileStamp> stamp, std::uint64_t now) {
    if (stamp != known_) {
        known_ = stamp;
        changed_ = true;
        dueAt_ = now + QuietMilliseconds;
        retryPause_ = QuietMilliseconds;
        return false;
    }
    // A missing file is no news: it may be on its way back (a sync client
    // replacing it), and an empty list is never read from nothing.
    return changed_ && known_ && now >= dueAt_;
}

void FileChangeWatch::readFailed(std::uint64_t now) {
    retryPause_ = std::min(retryPause_ * 2, LongestRetryMilliseconds);
    dueAt_ = now + retryPause_;
}

}  // namespace quorvel
