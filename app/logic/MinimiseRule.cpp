#include "logic/MinimiseRule.h"

MinimiseTarget ChooseMinimiseTarget(bool minToTray, bool trayAvailable) {
    return minToTray && trayAvailable ? MinimiseTarget::Tray : MinimiseTarget::Taskbar;
}
