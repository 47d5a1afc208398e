#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/RecipientList.h"
#include "logic/SmsDetails.h"
#include "model/StringTable.h"

#include <functional>
#include <optional>
#include <string>

class CSmsAddressBookItem;
class CSmsUserInfo;

// The scheduled message dialog's logic: the copy of the message being edited, the recipients
// added and removed, and "Uložiť zmeny": the checks, whether anything changed, and the call that
// replaces the message at the service.
class ScheduledSmsEdit {
public:
    enum class AddOutcome { Added, NotFound, AlreadyListed, Cancelled };
    // Renamed: only the name changed, which the service does not keep (no call).
    enum class SaveOutcome { Refused, Unchanged, Renamed, Failed, Replaced };
    // Which number of a contact with two numbers to add; nothing adds none.
    using NumberChooser =
        std::function<std::optional<RecipientList::NumberChoice>(const CSmsAddressBookItem&)>;

    // User, strings, boxes and runner must outlive the edit.
    ScheduledSmsEdit(CSmsUserInfo& user, const StringTable& strings, IMessageBox& boxes,
                     ICallRunner& runner, ScheduledSms original);

    void SetNumberChooser(NumberChooser chooser) { m_chooser = std::move(chooser); }

    const ScheduledSms& Original() const { return m_original; }
    // The message as edited so far (ANSI texts).
    const ScheduledSms& Current() const { return m_current; }

    void SetSchedule(const ScheduleChoice& schedule);
    void SetReport(bool report) { m_current.schedule.report = report; }
    void SetFlash(bool flash) { m_current.flash = flash; }
    void SetName(const std::string& name);

    // A typed number or a contact of the address book, as the compose page adds them; a text
    // that is neither shows the message of a wrong entry.
    AddOutcome AddRecipient(const std::string& typed);
    void RemoveRecipient(std::size_t index);

    // The text as the service gets it: every CR LF as LF, trimmed.
    static std::string ServiceText(const std::string& editorText);
    // Whether text (as the editor holds it), flash, report, recipients or schedule differ from
    // the original.
    bool IsChanged(const std::string& editorText) const;
    bool IsScheduleChanged() const;

    // Checks the message and, when it changed, replaces it at the service; done gets the
    // outcome (at once unless the call runs). Replaced: Current() is what the archive item is
    // to become.
    void Save(const std::string& editorText, std::function<void(SaveOutcome)> done);

private:
    bool Contains(const Recipient& recipient) const;
    void Apply(const std::string& text, const SmsSentInfoList& sentInfo);

    CSmsUserInfo& m_user;
    const StringTable& m_strings;
    IMessageBox& m_boxes;
    ICallRunner& m_runner;
    NumberChooser m_chooser;
    ScheduledSms m_original;
    ScheduledSms m_current;
};
