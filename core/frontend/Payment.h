#pragma once

#include "QuillonCoreExport.h"

#include <string>

class CSmsUserInfo;

// How the user's messages are paid, as the service flags of the session tell: from the portal
// credit (with the portal service chosen and active, or without postpaid sending), or postpaid.
class QUILLON_CORE_EXPORT Payment {
public:
    // The flags as they are now.
    static Payment Of(const CSmsUserInfo& user);
    Payment(bool useObk, bool obkActive, bool postpaidActive, std::string obkSuppInfo,
            std::string postpaidSuppInfo);

    bool ByCredit() const;
    // The length of the text that the service adds to every part of a message: the portal
    // service's when it is chosen and active, else the postpaid service's.
    int DummyTextLength() const;

private:
    bool ThroughPortal() const { return m_useObk && m_obkActive; }

    bool m_useObk;
    bool m_obkActive;
    bool m_postpaidActive;
    std::string m_obkSuppInfo;
    std::string m_postpaidSuppInfo;
};
