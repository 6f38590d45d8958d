#include "lib/Sequence.h"

#include <exception>

namespace torvane {

std::vector<QuietFailure> RunSequence(const std::vector<SequenceStep>& steps) {
    std::vector<QuietFailure> failures;
    RunSequence(steps, failures);
    return failures;
}

void RunSequence(const std::vector<SequenceStep>& steps, std::vector<QuietFailure>& failures) {
    failures.clear();
    for (const SequenceStep& step : steps) {
        if (step.kind == SequenceStep::Kind::Essential) {
            step.run();
            continue;
        }
        try {
            step.run();
        } catch (const std::exception& e) {
            failures.push_back({step.name, e.what()});
            if (step.fallback) step.fallback();
        }
    }
}

std::vector<std::string> StepNames(const std::vector<QuietFailure>& failures) {
    std::vector<std::string> names;
    for (const QuietFailure& failure : failures) names.push_back(failure.step);
    return names;
}

}  // namespace torvane
