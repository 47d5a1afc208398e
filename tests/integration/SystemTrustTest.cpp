// The system's trusted certificates and the extra CA file count together. A process of its own:
// the system store is read once per process, here from a bundle the test puts in its place.
#include "../service/ScriptedPrompt.h"

#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "service/CurlTransport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SystemTrust, SystemStoreAndExtraCaFileAreBothTrusted) {
    TempDir stateA, stateB;
    SimulatorProcess systemTrusted(QUILLON_SIM_PATH, {"--state", stateA.Path().string()});
    SimulatorProcess extraTrusted(QUILLON_SIM_PATH, {"--state", stateB.Path().string()});
    setenv("SSL_CERT_FILE", systemTrusted.CaFile().c_str(), 1);

    ScriptedPrompt prompt;
    for (const SimulatorProcess* sim : {&systemTrusted, &extraTrusted}) {
        TransportOptions options;
        options.url = sim->Url();
        options.caFile = extraTrusted.CaFile();
        const SoapReply reply = CurlTransport(options, &prompt).Post("<x/>");
        EXPECT_EQ(reply.error, 0) << sim->Url();
    }
    EXPECT_EQ(prompt.certificateQuestions, 0);
}

} // namespace
