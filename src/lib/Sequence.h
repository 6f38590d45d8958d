#pragma once
#include <functional>
#include <string>
#include <vector>

// A sequence of work (the install, the upgrade) as a list of named steps, run
// in order by RunSequence. Each step is either essential, and its failure
// ends the sequence and travels on to the caller (the error panel shows it),
// or quiet, and its failure is noted under its name while the sequence goes
// on: the user is not told, the work is done as far as it can be.
namespace torvane {

struct SequenceStep {
    enum class Kind { Essential, Quiet };
    std::string name;
    Kind kind = Kind::Essential;
    std::function<void()> run;
    // Quiet steps only: what stands instead when the step failed.
    std::function<void()> fallback;
};

inline SequenceStep EssentialStep(std::string name, std::function<void()> run) {
    return {std::move(name), SequenceStep::Kind::Essential, std::move(run), {}};
}
inline SequenceStep QuietStep(std::string name, std::function<void()> run,
                              std::function<void()> fallback = {}) {
    return {std::move(name), SequenceStep::Kind::Quiet, std::move(run), std::move(fallback)};
}

// The quiet steps that failed, in order, with the failure's text.
struct QuietFailure {
    std::string step;
    std::string message;
};

// Runs the steps in order. A quiet step's failure (any std::exception) is
// noted and its fallback run; an essential step's failure leaves the
// sequence at once. Returns the quiet failures.
std::vector<QuietFailure> RunSequence(const std::vector<SequenceStep>& steps);
// The same, noting each quiet failure in `failures` as it happens, so that
// they are known also when an essential step ends the sequence.
void RunSequence(const std::vector<SequenceStep>& steps, std::vector<QuietFailure>& failures);

// The names of the failed steps.
std::vector<std::string> StepNames(const std::vector<QuietFailure>& failures);

}  // namespace torvane
