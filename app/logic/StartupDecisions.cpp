#include "logic/StartupDecisions.h"

#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <algorithm>
#include <climits>

namespace {

// A stored limit too large for the archive's int means "keep everything", not a negative one.
int Limit(unsigned value) {
    return static_cast<int>(std::min<unsigned>(value, INT_MAX));
}

} // namespace

StartupSettings StartupSettings::From(const CSmsConfig& config) {
    return {config.GetAppMode(), config.GetDefaultUser(), config.GetMinToTray()};
}

bool WarnsOfOtherCopy(int otherCopies) {
    return otherCopies > 0;
}

bool ShowsSplash(bool startMinimised, const StartupSettings& settings) {
    return !StartsHidden(startMinimised, settings);
}

bool StartsHidden(bool startMinimised, const StartupSettings& settings) {
    return startMinimised && settings.minToTray;
}

bool KeepsSavePasswordAfterLogin(const StartupSettings& settings) {
    return settings.appMode == CSmsConfig::SingleUserSavedPwd;
}

bool KeepsSavePasswordAtExit(const StartupSettings& settings, const std::string& loggedInName) {
    return KeepsSavePasswordAfterLogin(settings) && settings.defaultUser == loggedInName;
}

ArchiveCleanup ArchiveCleanupFor(int autoDelMode, unsigned maxDays, unsigned maxItems) {
    if (autoDelMode == CSmsUserInfo::AutoDelOff)
        return {};
    const bool byDays = autoDelMode == CSmsUserInfo::AutoDelByDays;
    return {true, Limit(byDays ? maxDays : maxItems), byDays};
}

LoginStart LoginStartFor(const StartupSettings& settings, int otherCopies) {
    LoginStart start;
    if (otherCopies >= 1)
        return start;
    start.defaultUser = settings.defaultUser;
    if (settings.appMode != CSmsConfig::MultiUser)
        start.name = settings.defaultUser;
    return start;
}

LoginField FirstFocus(const StartupSettings& settings, bool firstAttempt, bool nameFilled) {
    const bool singleUser = settings.appMode == CSmsConfig::SingleUser;
    return firstAttempt && singleUser && nameFilled ? LoginField::Password : LoginField::Name;
}
