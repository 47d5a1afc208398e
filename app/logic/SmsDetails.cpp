#include "logic/SmsDetails.h"

SmsDetails SmsDetails::Of(const CSmsArchiveItem&) {
    return {};
}

ScheduledSms ScheduledSms::Of(const CSmsArchiveItem&) {
    return {};
}

void ScheduledSms::ApplyTo(CSmsArchiveItem&) const {}
