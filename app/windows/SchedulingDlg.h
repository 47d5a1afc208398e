#pragma once

#include "frontend/RecipientList.h"
#include "logic/ScheduleLimits.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;

// The scheduling dialog: the sending time (not before the earliest allowed one), the period and
// the name of a delayed message.
class SchedulingDlg : public QDialog {
    Q_OBJECT
public:
    explicit SchedulingDlg(std::int64_t now, QWidget* parent = nullptr);

    // Shows the dialog modally; the choice on OK, nothing on cancel.
    static std::optional<ScheduleChoice> Ask(std::int64_t now, QWidget* parent);

    // What the controls hold now (the report flag is not the dialog's and stays false).
    ScheduleChoice Choice() const;
    const ScheduleLimits& Limits() const { return m_limits; }

private:
    void CreateControls();
    void LayOut();
    LocalMinute Chosen() const;
    void CheckDate();

    ScheduleLimits m_limits;
    QDateEdit* m_dateEdit = nullptr;
    QTimeEdit* m_timeEdit = nullptr;
    QComboBox* m_periodComboBox = nullptr;
    QLineEdit* m_nameLineEdit = nullptr;
};
