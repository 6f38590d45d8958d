#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "lib/Sequence.h"

namespace torvane {
namespace {

// Each case: which steps fail (by index), what then ran, what was noted and
// whether the failure left the sequence.
TEST(RunSequence, QuietFailuresAreNotedAndFallBackEssentialOnesEndTheRun) {
    struct Case {
        const char* what;
        std::vector<int> failing;
        std::vector<std::string> ran;
        std::vector<std::string> noted;
        bool raised;
    };
    const Case cases[] = {
        {"nothing fails", {}, {"a", "q1", "b", "q2"}, {}, false},
        {"a quiet step fails", {1}, {"a", "q1", "q1 fallback", "b", "q2"}, {"q1"}, false},
        {"both quiet steps fail",
         {1, 3},
         {"a", "q1", "q1 fallback", "b", "q2"},
         {"q1", "q2"},
         false},
        {"an essential step fails", {2}, {"a", "q1", "b"}, {}, true},
        {"the first fails", {0}, {"a"}, {}, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> ran;
        auto body = [&](int index, const std::string& name) {
            return [&ran, &c, index, name] {
                ran.push_back(name);
                for (int f : c.failing)
                    if (f == index) throw Exception(name + " failed");
            };
        };
        const std::vector<SequenceStep> steps = {
            EssentialStep("a", body(0, "a")),
            QuietStep("q1", body(1, "q1"), [&ran] { ran.push_back("q1 fallback"); }),
            EssentialStep("b", body(2, "b")),
            QuietStep("q2", body(3, "q2")),
        };
        std::vector<QuietFailure> noted;
        bool raised = false;
        try {
            noted = RunSequence(steps);
        } catch (const Exception&) {
            raised = true;
        }
        EXPECT_EQ(ran, c.ran) << c.what;
        EXPECT_EQ(StepNames(noted), c.noted) << c.what;
        EXPECT_EQ(raised, c.raised) << c.what;
        for (const QuietFailure& f : noted) EXPECT_EQ(f.message, f.step + " failed") << c.what;
    }
}

TEST(RunSequence, AnEssentialFailureTravelsOnUnchanged) {
    const std::vector<SequenceStep> steps = {EssentialStep("disk", [] { throw EInOutError(112); })};
    try {
        RunSequence(steps);
        FAIL() << "the failure was swallowed";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Code(), 112);
    }
}

// The quiet failures before an essential one are still known when it ends
// the run; an earlier run's notes are gone.
TEST(RunSequence, QuietFailuresNotedBeforeAnEssentialFailureAreKept) {
    std::vector<QuietFailure> noted = {{"from an earlier run", ""}};
    const std::vector<SequenceStep> steps = {
        QuietStep("folder", [] { throw EInOutError(5); }),
        EssentialStep("client", [] { throw EInOutError(32); }),
        QuietStep("never reached", [] { throw EInOutError(2); }),
    };
    EXPECT_THROW(RunSequence(steps, noted), EInOutError);
    ASSERT_EQ(StepNames(noted), std::vector<std::string>{"folder"});
    EXPECT_EQ(noted[0].message, "I/O error 5");
}

}  // namespace
}  // namespace torvane
