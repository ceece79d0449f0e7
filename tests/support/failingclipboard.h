#pragma once

#include <string>

#include "clipboardservice.h"
#include "runtimeerror.h"

namespace metrivo::test {

// A clipboard held by another program for the first `failures` attempts of
// each operation, failing by answer or, with `raises`, by an error.
class FailingClipboard : public ClipboardService {
  public:
    explicit FailingClipboard(int failures, bool raises = false)
        : failures_(failures), raises_(raises) {}

    bool Clear() override { return ++clearAttempts > failures_ ? (text.clear(), true) : Fail(); }
    bool SetText(const std::string& value, int32_t format) override {
        lastFormat = format;
        return ++setAttempts > failures_ ? (text = value, true) : Fail();
    }

    int clearAttempts = 0;
    int setAttempts = 0;
    int32_t lastFormat = -1;
    std::string text = "earlier";

  private:
    bool Fail() const {
        if (raises_) throw RunTimeError(RunTimeError::kInvalidProcedureCall);
        return false;
    }
    int failures_;
    bool raises_;
};

}  // namespace metrivo::test
