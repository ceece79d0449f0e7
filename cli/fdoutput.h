#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace metrivo {

// Buffered output to a file descriptor that remembers its first failure:
// after a failed write nothing more is written, and error() gives the errno
// of the failure (EPIPE when the reader has gone and SIGPIPE is ignored,
// ENOSPC on a full disk, EBADF on a closed descriptor).
class FdOutput {
  public:
    explicit FdOutput(int fd, std::size_t capacity = 64 * 1024);
    FdOutput(const FdOutput&) = delete;
    FdOutput& operator=(const FdOutput&) = delete;

    void Write(std::string_view text);
    void Put(char c) {
        if (used_ == buffer_.size()) Flush();
        if (!failed()) buffer_[used_++] = c;
    }
    // Writes out what is buffered; false once any write has failed.
    bool Flush();

    bool failed() const { return error_ != 0; }
    int error() const { return error_; }

  private:
    void WriteAll(const char* data, std::size_t size);

    int fd_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    int error_ = 0;
};

}  // namespace metrivo
