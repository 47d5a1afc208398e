#pragma once

// The client types a front end logs in with: the service tells its clients apart by them.
inline constexpr const char* kDesktopClientType = "QLN";
inline constexpr const char* kToolbarClientType = "QLN IE";
