#pragma once

#include "QuillonCoreExport.h"

#include <string>

// How the HTTPS transport reaches the service, and the limits that keep any server, however
// slow or hostile, from holding a call for ever.
struct QUILLON_CORE_EXPORT TransportOptions {
    std::string url;
    // Extra trusted CA certificates (PEM) besides the system store; empty for none. A file that
    // cannot be read fails every HTTPS call.
    std::string caFile;
    long connectTimeout = 60;    // seconds, TLS handshake included
    long inactivityTimeout = 30; // seconds without progress while sending or receiving
    // Seconds for one sending of the request with its whole reply. The largest real replies
    // are some hundred kilobytes, a few minutes on the slowest mobile link.
    long callTimeout = 600;
    // Bytes per second that must move in every window of rateWindow seconds (0: no check).
    // A slow mobile link moves kilobytes a second; a server that drips its reply moves less.
    long minimumRate = 100;
    long rateWindow = 60;
    // Plain http:// endpoints send the password unencrypted; only test services use them.
    bool allowHttp = false;

    // The endpoint from QUILLON_SERVICE_URL, else the build's default; the CA file from
    // QUILLON_CA_FILE; plain HTTP allowed when QUILLON_ALLOW_HTTP is "1".
    static TransportOptions FromEnvironment();
};
