#pragma once

#include <memory>
#include <string>

#include "filedescriptor.h"

namespace metrivo {

// A folder of this run's own in a shared temporary folder, "<prefix>XXXXXX",
// for its owner alone (0700), removed with its files when the object goes. A
// run that ends without removing it (killed, or ended by the system) leaves
// it behind: RemoveAbandoned takes such folders away, and only those. Each
// folder is held by a lock on it for as long as its run lives, which the
// system lets go when the run ends however it ends; a folder gets its name
// only once it is held, so no folder of a live run is ever taken for one
// left behind.
class PrivateFolder {
  public:
    // A new folder in `base`; nothing when none can be made.
    static std::unique_ptr<PrivateFolder> Make(const std::string& base, const std::string& prefix);
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    ~PrivateFolder();

    const std::string& path() const { return path_; }

    // Removes the folders "<prefix>XXXXXX" in `base` that belong to this
    // user and that no live run holds. Returns how many it removed.
    static int RemoveAbandoned(const std::string& base, const std::string& prefix);

  private:
    PrivateFolder(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

    std::string path_;
    FileDescriptor fd_;  // open on the folder, holding its lock
};

}  // namespace metrivo
