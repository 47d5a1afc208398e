#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <string>
#include <vector>

// Result and query records of the sending and notification methods. The lists belong to the
// caller.

// One recipient of a send.
struct QUILLON_CORE_EXPORT _smsSentInfo {
    // The service's number of the SMS sent to this recipient; 0 when the reply gives none and
    // always 0 for a scheduled send.
    std::int64_t smsId = 0;
    // The recipient's number as the service echoes it.
    std::string number;
};

// One sent SMS whose delivery is asked for: the caller fills the SMS number, the query updates
// the rest in place.
struct QUILLON_CORE_EXPORT _smsDeliveryInfo {
    std::int64_t smsId = 0;
    // Keeps the caller's value when the service reports nothing for this SMS (0: no news).
    int status = 0;
    // Set only for status 1 (delivered) with a well-formed delivery time.
    std::int64_t timeDelivered = 0;
};

// One recipient of a scheduled message, as the service reports it.
struct QUILLON_CORE_EXPORT _smsSchedDlvrInfo {
    std::string number;
    int status = 0;
    // 0 unless the status is 1 and the reply carries a well-formed time.
    std::int64_t timeDelivered = 0;
};

using SmsSentInfoList = std::vector<_smsSentInfo>;
using SmsDeliveryInfoList = std::vector<_smsDeliveryInfo>;
using SmsSchedDlvrInfoList = std::vector<_smsSchedDlvrInfo>;
