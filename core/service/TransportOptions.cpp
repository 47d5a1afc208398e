#include "service/TransportOptions.h"

#include "BuildConfig.h"

#include <cstdlib>

namespace {

std::string EnvironmentOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

} // namespace

TransportOptions TransportOptions::FromEnvironment() {
    TransportOptions options;
    options.url = EnvironmentOr("QUILLON_SERVICE_URL", QUILLON_DEFAULT_SERVICE_URL);
    options.caFile = EnvironmentOr("QUILLON_CA_FILE", "");
    options.allowHttp = EnvironmentOr("QUILLON_ALLOW_HTTP", "") == "1";
    return options;
}
