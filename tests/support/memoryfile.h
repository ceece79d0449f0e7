#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace metrivo::test {

// An anonymous file in memory, for code that reads or writes a file
// descriptor: made with some content, read back whole.
class MemoryFile {
  public:
    explicit MemoryFile(std::string_view content = {}) : fd_(memfd_create("test", 0)) {
        if (fd_ < 0) throw std::runtime_error("memfd_create failed");
        std::size_t done = 0;
        while (done < content.size()) {
            const ssize_t n = ::write(fd_, content.data() + done, content.size() - done);
            if (n <= 0) throw std::runtime_error("write to memory file failed");
            done += static_cast<std::size_t>(n);
        }
        ::lseek(fd_, 0, SEEK_SET);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() { ::close(fd_); }

    int fd() const { return fd_; }

    std::string Content() const {
        std::string out;
        char buffer[65536];
        for (off_t at = 0;;) {
            const ssize_t n = ::pread(fd_, buffer, sizeof buffer, at);
            if (n <= 0) break;
            out.append(buffer, static_cast<std::size_t>(n));
            at += n;
        }
        return out;
    }

  private:
    int fd_;
};

}  // namespace metrivo::test
