// quillon-sim: the operator service simulator (see --help).
#include "SimServer.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

// Waits for SIGINT or SIGTERM (blocked in every thread) and stops the server; keeps asking
// until Run has returned, since a stop that comes before listening would be lost.
void StopOnSignal(SimServer& server, const sigset_t& signals, const std::atomic<bool>& finished) {
    int signal = 0;
    sigwait(&signals, &signal);
    while (!finished) {
        server.Stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

int main(int argc, char** argv) {
    SimOptions options;
    try {
        options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "quillon-sim: " << error.what() << "\n";
        return 2;
    }
    if (options.help) {
        std::cout << SimUsage();
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    try {
        SimServer server(options);
        std::atomic<bool> finished = false;
        std::thread watcher(StopOnSignal, std::ref(server), std::cref(stopSignals),
                            std::cref(finished));
        const bool served = server.Run(std::cout);
        finished = true;
        pthread_kill(watcher.native_handle(), SIGTERM);
        watcher.join();
        if (!served) {
            std::cerr << "quillon-sim: cannot listen on 127.0.0.1:" << options.port << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "quillon-sim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
