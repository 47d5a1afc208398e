#include "windows/ImportDlg.h"

bool ImportDlg::Run(CSmsAddressBook&, IMessageBox&, QWidget*) {
    return false;
}
