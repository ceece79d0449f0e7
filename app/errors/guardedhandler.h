#pragma once

#include <functional>
#include <string>
#include <vector>

#include "errorreport.h"

namespace metrivo {

// A handler made of labelled steps. A step that fails with a RunTimeError is
// reported with its label; the handler then goes on at the step its row
// names, so a handler's code reads like its step table.
class GuardedHandler {
  public:
    static constexpr int kNext = -1;  // the row below
    static constexpr int kEnd = -2;   // the handler ends

    struct Step {
        int label;
        // Runs the step; returns the label to go on at, kNext or kEnd.
        std::function<int()> run;
        // Where to go on after a failure of this step: a label, kNext or kEnd.
        int onFailure = kNext;
    };

    GuardedHandler(std::string procedure, std::vector<Step> steps);

    void Run(const ErrorReport& report) const;
    const std::string& procedure() const { return procedure_; }

  private:
    std::size_t IndexAfter(std::size_t row, int target) const;

    std::string procedure_;
    std::vector<Step> steps_;
    // Row of the first step carrying each label, indexed by label - firstLabel_.
    int firstLabel_ = 0;
    std::vector<int> rowOfLabel_;
};

}  // namespace metrivo
