#include "guardedhandler.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "runtimeerror.h"

namespace metrivo {

GuardedHandler::GuardedHandler(std::string procedure, std::vector<Step> steps)
    : procedure_(std::move(procedure)), steps_(std::move(steps)) {
    if (steps_.empty()) return;
    int lowest = steps_.front().label;
    int highest = lowest;
    for (const Step& step : steps_) {
        lowest = std::min(lowest, step.label);
        highest = std::max(highest, step.label);
    }
    firstLabel_ = lowest;
    rowOfLabel_.assign(static_cast<std::size_t>(highest - lowest + 1), -1);
    for (std::size_t row = steps_.size(); row-- > 0;) {
        rowOfLabel_[static_cast<std::size_t>(steps_[row].label - lowest)] = static_cast<int>(row);
    }
}

void GuardedHandler::Run(const ErrorReport& report) const {
    const ErrorReport::HandlerScope running(report);
    std::size_t row = 0;
    while (row < steps_.size()) {
        const Step& step = steps_[row];
        int next = kNext;
        try {
            next = step.run();
            report.RaiseHeldError();
        } catch (const RunTimeError& error) {
            report.ShowErrorReport(procedure_, error.description(), step.label);
            next = step.onFailure;
        } catch (const std::bad_alloc&) {
            report.ShowErrorReport(procedure_,
                                   RunTimeError::StandardDescription(RunTimeError::kOutOfMemory),
                                   step.label);
            next = step.onFailure;
        }
        row = IndexAfter(row, next);
    }
}

std::size_t GuardedHandler::IndexAfter(std::size_t row, int target) const {
    if (target == kNext) return row + 1;
    if (target == kEnd) return steps_.size();
    const int offset = target - firstLabel_;
    if (offset < 0 || offset >= static_cast<int>(rowOfLabel_.size()) ||
        rowOfLabel_[static_cast<std::size_t>(offset)] < 0) {
        throw std::logic_error("step table names an unknown label");
    }
    return static_cast<std::size_t>(rowOfLabel_[static_cast<std::size_t>(offset)]);
}

}  // namespace metrivo
