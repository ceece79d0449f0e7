#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace metrivo {

// Reading a whole file without ever waiting on a pipe or a device, and
// replacing a file so that it is the old one or the new one whatever happens:
// the new text goes to a fresh file beside it, is synced to disk and is
// renamed over the old one, and the folder is synced after the rename.
class AtomicFile {
  public:
    // Which version of a file was seen; a file that changed has another.
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Identity&) const = default;
    };

    enum class Status { kRead, kAbsent, kNotAFile, kTooLarge, kFailed };
    struct Contents {
        Status status = Status::kFailed;
        int error = 0;  // errno, for kFailed
        std::string text;
        Identity identity;
    };

    // The file at `path` (a link followed) when it is a regular file of at
    // most `cap` bytes; kAbsent when there is nothing at `path` or a folder
    // on the way is missing.
    static Contents Read(const std::string& path, std::int64_t cap);

    // The identity of the regular file at `path` (a link followed) now.
    static std::optional<Identity> Look(const std::string& path);

    // What Replace returns when the new file cannot have the old one's owner
    // and group (only root may give a file away, and only to a group of
    // one's own without it).
    static constexpr int kOwnerNotKept = -1;

    // Replaces the file at `path` with `text`. The new file gets the old
    // one's permissions, owner and group, or a new file's when there was none.
    // Returns 0, kOwnerNotKept, or the errno of the step that failed; then the
    // old file is as it was and no temporary file is left. `written` receives
    // the new file's identity.
    static int Replace(const std::string& path, std::string_view text, Identity* written);

    // Writes `text` to a new file at `path` (never over anything there) with
    // the permissions, owner and group of `like`, and syncs it. Where the
    // owner or group cannot be given, the copy is for its owner alone.
    // Returns 0 or the errno of the step that failed, EEXIST when something
    // is at `path`; then nothing is left there of the copy.
    static int Copy(const std::string& path, std::string_view text, const struct stat& like);

    // Removes the temporary files that a Replace of `path` killed half-way
    // left behind. Only while no other Replace of `path` can run.
    static void RemoveLeftovers(const std::string& path);
};

}  // namespace metrivo
