#pragma once

#include "ScriptedMessageBox.h"
#include "TestSupport.h"

#include "frontend/IWorkerWait.h"
#include "logic/IDeliveryNotifier.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "service/ServiceLock.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The worker's wait that ends when the test asks for a pass (or the worker is to stop).
class PassOnDemand : public IWorkerWait {
public:
    explicit PassOnDemand(int passes = 0) : m_passes(passes) {}

    bool Wait(std::chrono::milliseconds) override {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stop || m_passes > 0; });
        if (m_stop)
            return true;
        --m_passes;
        return false;
    }
    void Signal() override {
        Change([this] { m_stop = true; });
    }
    void Reset() override {
        Change([this] { m_stop = false; });
    }
    void Pass() {
        Change([this] { ++m_passes; });
    }

private:
    void Change(const std::function<void()>& change) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        change();
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_passes;
    bool m_stop = false;
};

// Notes every notification and the thread it came on.
class RecordingNotifier : public IDeliveryNotifier {
public:
    void Notify(const DeliveryCounts& counts) override {
        calls.push_back(counts);
        onWindowThread = QThread::currentThread() == qApp->thread();
    }
    std::vector<DeliveryCounts> calls;
    bool onWindowThread = false;
};

// A main window for the logged-in "jan.novak" with the settings the test chose; the tray is
// there when the test says so, and the worker runs only when asked for.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        Config().SetConfirmExit(true);
        Config().SetMinToTray(false);
    }

    static CSmsConfig& Config() { return *CSmsConfig::GetInstance(); }

    std::unique_ptr<MainWindow> MakeWindow(MainWindowOptions options = {}) {
        if (!options.trayAvailable)
            options.trayAvailable = [this] { return trayAvailable; };
        return std::make_unique<MainWindow>(user, serviceLock, boxes, std::move(options),
                                            &notifier);
    }
    static MainWindowOptions WithoutWorker() {
        MainWindowOptions options;
        options.startWorker = false;
        return options;
    }

    ScopedDataHome dataHome;
    CSmsUserInfo user{"jan.novak", "1.6", "QLN"};
    CServiceLock serviceLock{[](std::chrono::milliseconds) {}};
    ScriptedMessageBox boxes;
    RecordingNotifier notifier;
    bool trayAvailable = false;
};
