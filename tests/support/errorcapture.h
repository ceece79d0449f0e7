#pragma once

#include <algorithm>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

namespace metrivo::test {

// Captures what the program writes to std::cerr (its warnings) while it
// lives; what Qt itself prints is not caught.
class ErrorCapture {
  public:
    ErrorCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;
    ~ErrorCapture() { std::cerr.rdbuf(old_); }

    std::string text() const { return text_.str(); }
    int Lines() const {
        const std::string t = text();
        return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
    }

  private:
    std::ostringstream text_;
    std::streambuf* old_;
};

}  // namespace metrivo::test
