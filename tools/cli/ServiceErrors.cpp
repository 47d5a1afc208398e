#include "ServiceErrors.h"

#include "model/Utilities.h"
#include "service/EnglishServiceStrings.h"
#include "service/KvwsSoapException.h"
#include "service/TransportError.h"

std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\n' && text[i] != '\r') {
            line += text[i++];
            continue;
        }
        while (i < text.size() && (text[i] == '\n' || text[i] == '\r'))
            ++i;
        if (!line.empty() && i < text.size())
            line += ": ";
    }
    return line;
}

CliError RefusalError(int status) {
    // A refusal is shown like a failure with that status: its own text, else the generic one.
    const auto text = CKvwsSoapException(status, 0).GetErrorMessage(CEnglishServiceStrings());
    return CliError(ExitRefused,
                    OneLine(text.value_or("refused with status " + std::to_string(status))));
}

CliError ServiceError(const CKvwsSoapException& error) {
    const auto text = error.GetErrorMessage(CEnglishServiceStrings());
    std::string message =
        OneLine(text.value_or("An error occurred while communicating with Velora server"));
    // A fault's reason is the service's own text; say so, as it is not ours.
    const std::string detail = AnsiToUtf8(error.GetDetail());
    if (!detail.empty() && error.GetTransportCode() == TransportError::SoapFault)
        message += ": the service says \"" + detail + "\"";
    else if (!detail.empty())
        message += ": " + detail;
    return CliError(ExitServiceError, message);
}

CliError DatabaseError() {
    return CliError(ExitServiceError, "Service is temporary not available");
}
