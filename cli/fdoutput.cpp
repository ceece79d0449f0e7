#include "fdoutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace metrivo {

FdOutput::FdOutput(int fd, std::size_t capacity) : fd_(fd), buffer_(capacity == 0 ? 1 : capacity) {}

void FdOutput::Write(std::string_view text) {
    if (failed()) return;
    if (text.size() > buffer_.size() - used_) {
        if (!Flush()) return;
        if (text.size() >= buffer_.size()) {
            WriteAll(text.data(), text.size());
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, text.data(), text.size());
    used_ += text.size();
}

bool FdOutput::Flush() {
    if (!failed() && used_ > 0) WriteAll(buffer_.data(), used_);
    used_ = 0;
    return !failed();
}

void FdOutput::WriteAll(const char* data, std::size_t size) {
    while (size > 0 && !failed()) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        if (n == 0) {
            error_ = EIO;
            continue;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

}  // namespace metrivo
