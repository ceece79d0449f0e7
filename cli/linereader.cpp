#include "linereader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace metrivo {
namespace {
constexpr std::size_t kReadSize = 64 * 1024;
}

LineReader::LineReader(int fd, std::size_t maxLine, std::function<void()> beforeRead)
    : fd_(fd),
      maxLine_(maxLine),
      beforeRead_(std::move(beforeRead)),
      buffer_(maxLine + 1 + kReadSize) {}

long LineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (beforeRead_) beforeRead_();
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n >= 0) {
            end_ += static_cast<std::size_t>(n);
            return static_cast<long>(n);
        }
        if (errno != EINTR) {
            error_ = errno;
            return -1;
        }
    }
}

LineReader::Status LineReader::Next(std::string_view& line) {
    bool skipping = false;  // passing over the rest of a line over the cap
    while (true) {
        const char* start = buffer_.data() + begin_;
        const auto* newline =
            static_cast<const char*>(std::memchr(start + scanned_, '\n', end_ - begin_ - scanned_));
        if (newline != nullptr) {
            const auto length = static_cast<std::size_t>(newline - start);
            begin_ += length + 1;
            scanned_ = 0;
            if (skipping || length > maxLine_) return Status::kTooLong;
            line = std::string_view(start, length);
            return Status::kLine;
        }
        scanned_ = end_ - begin_;
        if (scanned_ > maxLine_) {
            // Over the cap: forget what is held and look for the line's end.
            skipping = true;
            begin_ = end_ = scanned_ = 0;
        }
        if (atEnd_) {
            if (skipping) return Status::kTooLong;
            if (end_ == begin_) return Status::kEnd;
            line = std::string_view(start, end_ - begin_);
            begin_ = end_;
            scanned_ = 0;
            return Status::kLine;
        }
        const long n = Fill();
        if (n < 0) return Status::kError;
        if (n == 0) atEnd_ = true;
    }
}

}  // namespace metrivo
