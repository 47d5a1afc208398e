#pragma once

#include <chrono>

class CSmsUserInfo;

// The logout at the program's end, bounded: a service that does not answer in time is left
// alone (the call is cancelled), so a dead service never keeps the program from ending. The
// session is over locally in every case. Returns the service's status, or -1 when the time ran
// out or the call failed.
int LogoutWithin(CSmsUserInfo& user, std::chrono::milliseconds limit);

// The program's bound.
inline constexpr std::chrono::milliseconds kLogoutLimit{3000};
