#include "frontend/ImmediateCallRunner.h"

bool ImmediateCallRunner::Run(std::function<void()> work, std::function<void()> done) {
    if (m_busy)
        return false;
    m_busy = true;
    try {
        work();
    } catch (...) {
    }
    m_busy = false;
    done();
    return true;
}
