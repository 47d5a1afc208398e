#pragma once

#include "QuillonCoreExport.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Runs a window's service calls. The work runs off the user-interface thread while the window
// keeps painting, shows the wait cursor and ignores input; then done runs back on the window's
// thread. Closing the window cancels a call that is still running (its done never runs). Tests
// use ImmediateCallRunner, which runs both at once.
class QUILLON_CORE_EXPORT ICallRunner {
public:
    virtual ~ICallRunner() = default;
    // One call at a time: Run while busy is refused (false) and runs nothing. Work that may throw
    // goes through RunCall, which hands the exception to done; one that escapes work is
    // swallowed.
    virtual bool Run(std::function<void()> work, std::function<void()> done) = 0;
    virtual bool IsBusy() const = 0;
    // Cancels the running call, if any: its done never runs.
    virtual void Cancel() = 0;
};

// What a call ended with: its value, or the exception it threw, thrown again by Get.
template <class T> class CallResult {
public:
    explicit CallResult(T value) : m_value(std::move(value)) {}
    explicit CallResult(std::exception_ptr error) : m_error(std::move(error)) {}
    const T& Get() const {
        if (m_error)
            std::rethrow_exception(m_error);
        return *m_value;
    }

private:
    std::optional<T> m_value;
    std::exception_ptr m_error;
};

// Runs work through the runner and hands its value or exception to done, as
//   RunCall<int>(runner, [&] { return user.KvwsCall(); },
//                [&](const CallResult<int>& r) { try { Show(r.Get()); } catch (...) {} });
template <class T>
bool RunCall(ICallRunner& runner, std::function<T()> work,
             std::function<void(const CallResult<T>&)> done) {
    auto result = std::make_shared<std::optional<CallResult<T>>>();
    return runner.Run(
        [result, work = std::move(work)] {
            try {
                result->emplace(work());
            } catch (...) {
                result->emplace(std::current_exception());
            }
        },
        [result, done = std::move(done)] { done(**result); });
}

// The same with the two outcomes apart: done gets the call's value, failed the exception it
// threw.
template <class T>
bool RunCall(ICallRunner& runner, std::function<T()> work, std::function<void(const T&)> done,
             std::function<void(const std::exception_ptr&)> failed) {
    return RunCall<T>(
        runner, std::move(work),
        [done = std::move(done), failed = std::move(failed)](const CallResult<T>& result) {
            std::optional<T> value;
            try {
                value.emplace(result.Get());
            } catch (...) {
                failed(std::current_exception());
                return;
            }
            done(*value);
        });
}
