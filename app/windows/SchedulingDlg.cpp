#include "windows/SchedulingDlg.h"

SchedulingDlg::SchedulingDlg(std::int64_t, QWidget* parent) : QDialog(parent) {}

std::optional<ScheduleChoice> SchedulingDlg::Ask(std::int64_t, QWidget*) {
    return std::nullopt;
}
