#pragma once

#include "frontend/ICreditAccount.h"
#include "model/StringTable.h"

#include <QString>

#include <memory>

class CSmsUserInfo;

// Whom the gallery's dialogs work for: a canned account that answers at once (check code
// "1234"), or a real user logged in to the service.
class GalleryAccount {
public:
    GalleryAccount();
    ~GalleryAccount();

    // Logs in to the service of QUILLON_SERVICE_URL; what went wrong, or nothing.
    QString LogIn(const QString& login, const QString& password);
    QString Description() const;

    ICreditAccount& Credit();
    // The logged-in user; null with the canned account.
    CSmsUserInfo* User() const { return m_user.get(); }
    // The texts the gallery has as a host program for service errors.
    const StringTable& HostStrings() const { return *m_hostStrings; }

private:
    std::unique_ptr<ICreditAccount> m_canned;
    std::unique_ptr<CSmsUserInfo> m_user;
    std::unique_ptr<ICreditAccount> m_userCredit;
    std::unique_ptr<StringTable> m_hostStrings;
};
