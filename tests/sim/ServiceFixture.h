#pragma once

#include "SimRequests.h"
#include "SimService.h"

#include <gtest/gtest.h>

#include <memory>

// The simulated service in process, on a frozen clock that tests move by hand. Options may be
// changed until the first call.
class ServiceFixture : public ::testing::Test {
protected:
    ServiceFixture();

    SimService& Service();
    ParsedReply Call(const std::string& body);
    // Logs in and returns the token; fails the test on a refusal.
    std::string LoginToken(const std::string& login = "demo", const std::string& password = "demo");
    void Advance(std::int64_t seconds) { m_clock.Advance(seconds); }
    std::int64_t Now() const { return m_clock.Now(); }
    // The check code of the open transaction with that number.
    std::string CodeOf(const std::string& login, std::int64_t transaction);

    SimOptions m_options;

private:
    SimClock m_clock;
    std::unique_ptr<SimService> m_service;
};
