#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "messageboxservice.h"

namespace metrivo {

// The error report box of the guarded handlers: names the failure, the
// procedure and the step's line label, and asks for a screenshot.
class ErrorReport {
  public:
    static constexpr std::string_view kTitle = "Application Error";
    static constexpr std::string_view kModule = "MetrivoProj2021/08/31.Form1.";

    explicit ErrorReport(MessageBoxService& box,
                         std::string supportAddress = DefaultSupportAddress());

    // Builds the report's text and shows it; returns when the box is closed.
    void ShowErrorReport(std::string_view procedure, std::string_view description,
                         int32_t label) const;

    static std::string MessageText(std::string_view procedure, std::string_view description,
                                   int32_t label, std::string_view supportAddress);
    static std::string DefaultSupportAddress();

    // While a guarded handler runs, an error raised in anything it calls
    // belongs to it, also one raised in a notification that its own code
    // set off (selecting a list item or an option). A scope marks that time;
    // while a report's box is open no handler is running, since the events
    // the box lets through start handlers of their own.
    class HandlerScope {
      public:
        explicit HandlerScope(const ErrorReport& report) : report_(report) {
            ++report_.runningHandlers_;
        }
        ~HandlerScope() { --report_.runningHandlers_; }
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

      private:
        const ErrorReport& report_;
    };
    bool InGuardedHandler() const { return runningHandlers_ > 0; }

    // An error raised in a notification that a guarded handler's code set off
    // must not travel back through the toolkit's code that sent the
    // notification, which is not built to pass errors on. It is held here
    // instead (the first one, should several come), and raised again in the
    // guarded handler's own code: where that code made the call, or at the
    // latest once its step has run.
    void HoldError(std::exception_ptr error) const {
        if (!heldError_) heldError_ = std::move(error);
    }
    void RaiseHeldError() const {
        if (heldError_) std::rethrow_exception(std::exchange(heldError_, nullptr));
    }

  private:
    MessageBoxService& box_;
    std::string supportAddress_;
    mutable int runningHandlers_ = 0;
    mutable std::exception_ptr heldError_;
};

}  // namespace metrivo
