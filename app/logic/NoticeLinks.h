#pragma once

#include <string>

// Whether a link of the notice page may be handed to the desktop's browser: only web and mail
// links, since the page comes from the network and must not start local files or programs.
bool IsNoticeLinkOpenable(const std::string& scheme);
