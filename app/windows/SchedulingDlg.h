#pragma once

#include "frontend/RecipientList.h"

#include <QDialog>

#include <cstdint>
#include <optional>

// The scheduling dialog: the sending time (not before the earliest allowed one), the period and
// the name of a delayed message.
class SchedulingDlg : public QDialog {
    Q_OBJECT
public:
    explicit SchedulingDlg(std::int64_t now, QWidget* parent = nullptr);

    // Shows the dialog modally; the choice on OK, nothing on cancel.
    static std::optional<ScheduleChoice> Ask(std::int64_t now, QWidget* parent);
};
