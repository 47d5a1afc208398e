#include "frontend/BackgroundWorker.h"

#include "frontend/StopEvent.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"
#include "service/KeepAliveTiming.h"

#include <chrono>

BackgroundWorker::BackgroundWorker(CSmsUserInfo& user, CServiceLock& serviceLock,
                                   IBackgroundEvents& events, const IClock* clock,
                                   std::unique_ptr<IWorkerWait> wait)
    : m_user(user), m_clock(clock), m_wait(wait ? std::move(wait) : std::make_unique<StopEvent>()),
      m_pass(user, serviceLock, &events) {}

BackgroundWorker::~BackgroundWorker() {
    Stop();
}

void BackgroundWorker::Start() {
    if (m_thread.joinable())
        return;
    m_canceller.Reset();
    m_wait->Reset();
    m_thread = std::thread([this] { Run(); });
}

void BackgroundWorker::Stop() {
    if (!m_thread.joinable())
        return;
    m_canceller.Cancel();
    m_wait->Signal();
    m_thread.join();
}

void BackgroundWorker::Run() {
    const CallCanceller::Scope cancellable(m_canceller);
    std::int64_t now = Now();
    for (;;) {
        const KeepAliveTiming timing =
            KeepAliveTiming::Compute(m_user.GetTokenExpiry(), m_user.GetTokenValidity(), now);
        if (m_wait->Wait(std::chrono::seconds(timing.waitSeconds)))
            return;
        now = Now();
        m_pass.Run(now, timing.refreshAt);
    }
}

std::int64_t BackgroundWorker::Now() const {
    return m_clock ? m_clock->Now() : Clock::Now();
}
