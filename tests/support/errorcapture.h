#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace metrivo::test {

// Captures the program's own warnings (the lines it writes to standard error,
// each starting "metrivo:") while it lives. Standard error itself is caught,
// as the program writes it; what Qt prints there in the meantime is not part
// of text() and goes on to the real standard error at the end.
class ErrorCapture {
  public:
    ErrorCapture() : file_(std::tmpfile()) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        if (file_ != nullptr && saved_ >= 0) dup2(fileno(file_), STDERR_FILENO);
    }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;
    ~ErrorCapture() {
        const std::string others = Lines(false);
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
        if (file_ != nullptr) std::fclose(file_);
        std::fputs(others.c_str(), stderr);
    }

    std::string text() const { return Lines(true); }
    int Lines() const {
        const std::string t = text();
        return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
    }

  private:
    // The lines written so far that are the program's own, or the others.
    std::string Lines(bool own) const {
        std::fflush(stderr);
        std::string all;
        if (file_ == nullptr) return all;
        char buffer[4096];
        for (off_t at = 0;;) {
            const ssize_t got = pread(fileno(file_), buffer, sizeof buffer, at);
            if (got <= 0) break;
            all.append(buffer, static_cast<std::size_t>(got));
            at += got;
        }
        std::string kept;
        for (std::size_t start = 0; start < all.size();) {
            const std::size_t end = std::min(all.find('\n', start), all.size() - 1);
            const std::string line = all.substr(start, end - start + 1);
            if ((line.rfind("metrivo:", 0) == 0) == own) kept += line;
            start = end + 1;
        }
        return kept;
    }

    std::FILE* file_;
    int saved_ = -1;
};

}  // namespace metrivo::test
