#include "logic/HelpLinks.h"

std::string HelpPageUrl(const std::string& serviceUrl, const std::string& page) {
    const std::size_t scheme = serviceUrl.find("://");
    if (scheme == std::string::npos)
        return {};
    const std::size_t path = serviceUrl.find_first_of("/?#", scheme + 3);
    return serviceUrl.substr(0, path) + "/quillon/" + page;
}
