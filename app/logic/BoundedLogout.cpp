#include "logic/BoundedLogout.h"

#include "model/SmsUserInfo.h"
#include "service/CallCanceller.h"

#include <condition_variable>
#include <mutex>
#include <thread>

int LogoutWithin(CSmsUserInfo& user, std::chrono::milliseconds limit) {
    CallCanceller canceller;
    std::mutex mutex;
    std::condition_variable over;
    bool done = false;
    int status = -1;
    std::thread call([&] {
        int result = -1;
        {
            const CallCanceller::Scope scope(canceller);
            try {
                result = user.KvwsLogout();
            } catch (...) {
            }
        }
        const std::lock_guard<std::mutex> lock(mutex);
        status = canceller.IsCancelled() ? -1 : result;
        done = true;
        over.notify_one();
    });
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (!over.wait_for(lock, limit, [&] { return done; }))
            canceller.Cancel();
    }
    call.join();
    return status;
}
