#pragma once

#include "QuillonCoreExport.h"

#include <functional>

class CSmsUserInfo;

// The service-activation notice that the desktop program and the browser toolbar show after a
// login and KvwsGetServices: a hint to users without postpaid sending that it can be switched
// on, until they ask not to see it again.
class QUILLON_CORE_EXPORT SaNotice {
public:
    // What the notice's dialog ended with.
    struct Answer {
        bool accepted = false;
        bool dontShowAgain = false;
    };

    // Whether the notice is due for a user with these service flag and ShowSA setting.
    static bool IsDue(bool postpaidActive, int showSa);
    // Runs show when the notice is due for the user; an accepted notice sets ShowSA to the
    // negation of its don't-show-again box. Returns whether the notice was shown. Saving the
    // profile is the caller's.
    static bool Offer(CSmsUserInfo& user, const std::function<Answer()>& show);
};
