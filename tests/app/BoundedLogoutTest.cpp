// The program's logout at its end against quillon-sim: a service that answers is logged out of,
// one that stopped answering is left alone in bounded time.
#include "logic/BoundedLogout.h"

#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"

#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<CSmsUserInfo> LoggedIn(const SimulatorProcess& sim) {
    auto user = std::make_unique<CSmsUserInfo>("demo", "1.1.0", "QLN");
    user->SetPassword("demo-secret");
    user->SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    EXPECT_EQ(user->KvwsLogin(true), 0);
    return user;
}

TEST(BoundedLogout, AnAnsweringServiceLogsOutAndASilentOneIsLeftAlone) {
    TempDir home;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (home.Path() / "sim").string(), "--admin",
                                            "--account", "demo:demo-secret:421905123456"});
    const auto answering = LoggedIn(sim);
    EXPECT_EQ(LogoutWithin(*answering, kLogoutLimit), 0);
    EXPECT_TRUE(answering->GetToken().empty());

    const auto stranded = LoggedIn(sim);
    // From now on every reply trickles in a byte a minute, far beyond any limit.
    sim.Admin("/admin/faults?drip-endless=60000", true);
    EXPECT_EQ(LogoutWithin(*stranded, std::chrono::milliseconds(200)), -1);
    EXPECT_TRUE(stranded->GetToken().empty()) << "the session is over here all the same";
}

} // namespace
