#pragma once

#include "QuillonCoreExport.h"
#include "frontend/IMessageBox.h"
#include "model/StringTable.h"

#include <exception>

class CKvwsSoapException;

// Which of a host program's texts stand for the two failures that carry no text of their own:
// the service being unavailable (a database failure) and a failed communication. The desktop
// program has them as 165 and 166, the browser toolbar as 114 and 115.
struct ServiceErrorIds {
    int unavailable = 165;
    int communication = 166;
};

// The stop box a window shows for a refused or failed service call, with the host program's
// texts (service statuses 300 + n and the generic 300, transport codes 400 + n and 400, and the
// two texts of ServiceErrorIds). Where the host lacks a text the box still says what happened.
class QUILLON_CORE_EXPORT ServiceErrorText {
public:
    // The table must outlive this object.
    explicit ServiceErrorText(const StringTable& host, ServiceErrorIds ids = {});

    // A refusal with status n (1 to 98): the host's text 300 + n, else its 300 with n.
    IMessageBox::Request ForStatus(int status) const;
    // The failure a service call ended with: the host's text for a CKvwsSoapException (at most
    // 256 characters), the unavailable text for a CKvwsDbException, the communication text for
    // a SOAP failure without a text and for any other failure.
    IMessageBox::Request ForFailure(const std::exception_ptr& failure) const;
    IMessageBox::Request ForSoapError(const CKvwsSoapException& error) const;
    IMessageBox::Request ForDatabaseError() const;

private:
    IMessageBox::Request FromHost(int id, const char* fallback) const;

    const StringTable& m_host;
    ServiceErrorIds m_ids;
};
