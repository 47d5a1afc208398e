#pragma once

#include "QuillonCoreExport.h"
#include "frontend/ICallRunner.h"

// Runs work and done at once on the calling thread: for tests and programs without windows.
class QUILLON_CORE_EXPORT ImmediateCallRunner : public ICallRunner {
public:
    bool Run(std::function<void()> work, std::function<void()> done) override;
    bool IsBusy() const override { return m_busy; }
    // A call here has ended before anything else can happen.
    void Cancel() override {}

private:
    bool m_busy = false;
};
