#pragma once

#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

#include <memory>

// A user object whose calls go to a scripted transport, under a fixed clock.
class SessionFixture : public ::testing::Test {
public:
    static constexpr std::int64_t kNow = 1110456000; // 10.03.2005 12:00 UTC

protected:
    SessionFixture() : clock(kNow), user("jan.novak", "1.6", "QLN") {
        user.SetPassword("secret");
        user.SetTransport(transport);
    }

    // Logs in with a token "T1" valid for 600 s.
    void LogIn() {
        transport->Answer("Login",
                          Reply::Status(0) + "<mobile>421903123456</mobile>" + Reply::Token("T1"));
        ASSERT_EQ(user.KvwsLogin(true), 0);
    }

    ScopedDataHome dataHome; // the user's saves meet no other test's profile
    FixedClock clock;
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    CSmsUserInfo user;
};
