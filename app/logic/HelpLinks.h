#pragma once

#include <string>

// The help pages of the operator's web site on the about page: "<scheme>://<host of the
// service>/quillon/<page>", without the session token; empty without a service URL.
std::string HelpPageUrl(const std::string& serviceUrl, const std::string& page);
