#pragma once

#include <cstdint>
#include <exception>
#include <new>
#include <string_view>

#include "errorreport.h"
#include "runtimeerror.h"

namespace metrivo {

// Runs an event handler that has no step table of its own, so that no error
// raised in it ever leaves the event loop.
//
// Set off by the code of a guarded handler (the load selecting a list item,
// say), the handler's error passes on to that guarded handler, which reports
// it with its own step's label: it is held by the report and raised again in
// the guarded handler's code, never thrown back through the toolkit. Set off
// by the user or the system, the error is reported here, with the handler's
// name as the procedure and line 0 (the handler has no line labels), and the
// program goes on from where it was.
class EventGuard {
  public:
    static constexpr int32_t kNoLineLabel = 0;

    template <typename Handler>
    static void Run(const ErrorReport& report, std::string_view procedure, Handler&& handler) {
        try {
            handler();
        } catch (...) {
            Handle(report, procedure, std::current_exception());
        }
    }

    // What becomes of an error caught around a handler: held for the guarded
    // handler whose code set it off, if one is running, or else reported.
    static void Handle(const ErrorReport& report, std::string_view procedure,
                       std::exception_ptr error);

    // Shows the report for a caught error: a RunTimeError with its own
    // description, a failed allocation as "Out of memory", anything else as
    // "Invalid procedure call or argument".
    static void Report(const ErrorReport& report, std::string_view procedure,
                       std::exception_ptr error);
};

}  // namespace metrivo
