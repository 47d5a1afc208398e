#pragma once

// Transport error codes of a failed service call (the second field of CKvwsSoapException).
// Besides the codes below, a reply with an HTTP status below 200, or of 300 and above other
// than 400 and 500 (those carry a SOAP fault), gives that status number as its code. The
// programs show code N with text 400 + N when they have one, else the generic text 400; no
// failure gives 20 (the text for it stays in the tables).
namespace TransportError {
// The request could not be opened: the endpoint URL cannot be split, its scheme is not http
// or https, or it is http while plain HTTP is not allowed.
constexpr int InvalidUrl = 10;
// The request could not be opened: the HTTP library could not be set up for it, or the extra
// CA file cannot be read.
constexpr int OpenFailed = 11;
// Sending the request or reading the reply failed before it was complete: refused or reset
// connection, name not resolved, TLS failure, a refused certificate; or a time-out at any
// point, also while the body comes in (a server that drips it); or the call was cancelled.
constexpr int SendFailed = 21;
// The transport's words on a cancelled call.
constexpr const char* CancelledDetail = "the call was cancelled";
// The reply is a SOAP fault.
constexpr int SoapFault = 1;
// The reply cannot be read as the expected response (truncated, malformed, wrong element,
// wrong value types, missing status).
constexpr int UnparsableReply = 2;
// Memory ran out while building the request or reading the reply, or the reply exceeded the
// size the client is prepared to hold.
constexpr int OutOfMemory = 3;
} // namespace TransportError
