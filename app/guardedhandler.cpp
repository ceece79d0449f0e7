#include "guardedhandler.h"

#include <new>
#include <stdexcept>

#include "runtimeerror.h"

namespace metrivo {

GuardedHandler::GuardedHandler(std::string procedure, std::vector<Step> steps)
    : procedure_(std::move(procedure)), steps_(std::move(steps)) {}

void GuardedHandler::Run(const ErrorReport& report) const {
    std::size_t row = 0;
    while (row < steps_.size()) {
        const Step& step = steps_[row];
        int next = kNext;
        try {
            next = step.run();
        } catch (const RunTimeError& error) {
            report.ShowErrorReport(procedure_, error.description(), step.label);
            next = step.onFailure;
        } catch (const std::bad_alloc&) {
            report.ShowErrorReport(
                procedure_, RunTimeError::StandardDescription(RunTimeError::kOutOfMemory),
                step.label);
            next = step.onFailure;
        }
        row = IndexAfter(row, next);
    }
}

std::size_t GuardedHandler::IndexAfter(std::size_t row, int target) const {
    if (target == kNext) return row + 1;
    if (target == kEnd) return steps_.size();
    for (std::size_t i = 0; i < steps_.size(); ++i) {
        if (steps_[i].label == target) return i;
    }
    throw std::logic_error("step table names an unknown label");
}

}  // namespace metrivo
