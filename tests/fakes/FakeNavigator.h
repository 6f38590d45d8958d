#pragma once
#include <string>
#include <vector>

#include "app/Navigator.h"
#include "fakes/WizardFixture.h"

namespace torvane::testing {

// The wizard around a single panel, without the main window: it records
// where the panel asks to go and whether it ends the program, and offers the
// fake platform. A panel made with it is tested on its own.
class FakeNavigator : public Navigator {
public:
    explicit FakeNavigator(FakePlatform& fakes) : fakes_(fakes) {}

    void ShowPanel(const std::string& name, bool animate) override {
        shown.push_back(name);
        animated.push_back(animate);
    }
    bool IsSliding() const override { return sliding; }
    void Close() override { ++closes; }
    void BeginWork() override { ++working; }
    void EndWork() override { --working; }
    platform::Platform& Platform() const override { return fakes_.platform; }
    ui::Application& App() const override { return fakes_.app; }

    // What the panel asked for, in order.
    std::vector<std::string> shown;
    std::vector<bool> animated;
    int closes = 0;
    // Work in progress (WorkInProgress), 0 when none.
    int working = 0;
    // Set it to play a slide in progress.
    bool sliding = false;

private:
    FakePlatform& fakes_;
};

}  // namespace torvane::testing
