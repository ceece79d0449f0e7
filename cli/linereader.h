#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace metrivo {

// Reads lines from a file descriptor through one buffer of fixed size, so
// memory stays the same whatever the input. A line longer than the cap is
// skipped to its end and reported as too long instead of being held.
class LineReader {
  public:
    static constexpr std::size_t kDefaultMaxLine = 1024 * 1024;

    enum class Status {
        kLine,     // `line` holds the next line, without its line break
        kTooLong,  // a line longer than the cap was passed over
        kEnd,      // end of input
        kError,    // a read failed; see error()
    };

    // `beforeRead` runs before each read that may wait for input.
    LineReader(int fd, std::size_t maxLine = kDefaultMaxLine,
               std::function<void()> beforeRead = {});

    // The next line; `line` stays valid until the next call.
    Status Next(std::string_view& line);

    int error() const { return error_; }
    std::size_t maxLine() const { return maxLine_; }

  private:
    // Reads more input after the buffered bytes; returns the byte count, 0 at
    // the end, -1 on failure.
    long Fill();

    int fd_;
    std::size_t maxLine_;
    std::function<void()> beforeRead_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t scanned_ = 0;  // bytes from begin_ known to hold no line break
    bool atEnd_ = false;
    int error_ = 0;
};

}  // namespace metrivo
