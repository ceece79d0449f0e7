#include "eventguard.h"

#include <utility>

namespace metrivo {

void EventGuard::Handle(const ErrorReport& report, std::string_view procedure,
                        std::exception_ptr error) {
    if (report.InGuardedHandler()) {
        report.HoldError(std::move(error));
    } else {
        Report(report, procedure, std::move(error));
    }
}

void EventGuard::Report(const ErrorReport& report, std::string_view procedure,
                        std::exception_ptr error) {
    RunTimeError::Number number = RunTimeError::kInvalidProcedureCall;
    try {
        std::rethrow_exception(error);
    } catch (const RunTimeError& raised) {
        report.ShowErrorReport(procedure, raised.description(), kNoLineLabel);
        return;
    } catch (const std::bad_alloc&) {
        number = RunTimeError::kOutOfMemory;
    } catch (...) {
    }
    report.ShowErrorReport(procedure, RunTimeError::StandardDescription(number), kNoLineLabel);
}

}  // namespace metrivo
