// Under ThreadSanitizer only: the timed waits of std::timed_mutex and its kin go through
// pthread_mutex_clocklock, which this compiler's ThreadSanitizer does not intercept, so every
// lock taken with a time limit looked like no lock at all. This executable's definition takes
// precedence over the C library's and forwards to pthread_mutex_timedlock, which the sanitizer
// knows.
#if defined(__SANITIZE_THREAD__)

#include <pthread.h>
#include <time.h>

extern "C" int pthread_mutex_clocklock(pthread_mutex_t* mutex, clockid_t clock,
                                       const struct timespec* deadline) {
    struct timespec realtimeDeadline = *deadline;
    if (clock != CLOCK_REALTIME) {
        struct timespec now, realtimeNow;
        clock_gettime(clock, &now);
        clock_gettime(CLOCK_REALTIME, &realtimeNow);
        long long nanoseconds = (deadline->tv_sec - now.tv_sec) * 1000000000LL +
                                (deadline->tv_nsec - now.tv_nsec) + realtimeNow.tv_nsec;
        realtimeDeadline.tv_sec = realtimeNow.tv_sec + nanoseconds / 1000000000LL;
        realtimeDeadline.tv_nsec = nanoseconds % 1000000000LL;
        if (realtimeDeadline.tv_nsec < 0) {
            realtimeDeadline.tv_nsec += 1000000000LL;
            --realtimeDeadline.tv_sec;
        }
    }
    return pthread_mutex_timedlock(mutex, &realtimeDeadline);
}

#endif
