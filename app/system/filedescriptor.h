#pragma once

namespace metrivo {

// An open file descriptor, closed on every way out of its scope with errno
// kept as the caller left it.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return fd_; }
    // Closes now and gives close()'s own result: some file systems report a
    // delayed write error only there.
    int Close();

  private:
    int fd_;
};

}  // namespace metrivo
