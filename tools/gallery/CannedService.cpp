#include "CannedService.h"

#include "BuildConfig.h"

namespace {

constexpr const char* kCode = "1234";

// The local name of the body's first element: the operation.
std::string OperationOf(const std::string& body) {
    const std::size_t bodyTag = body.find("Body>");
    if (bodyTag == std::string::npos)
        return {};
    const std::size_t start = body.find('<', bodyTag);
    const std::size_t end = body.find_first_of(" />", start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    std::string name = body.substr(start + 1, end - start - 1);
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string Status(int status, const std::string& attributes = {}) {
    return "<status" + (attributes.empty() ? "" : " " + attributes) + ">" + std::to_string(status) +
           "</status>";
}

std::string Service(int type, bool enabled) {
    return "<item type=\"" + std::to_string(type) + "\" enabled=\"" + (enabled ? "true" : "false") +
           "\"/>";
}

} // namespace

CannedService::CannedService(bool obkActive, bool postpaidActive)
    : m_obk(obkActive), m_postpaid(postpaidActive) {}

std::string CannedService::Terms() {
    return "Zmluvné podmienky služby POSTPAID\n"
           "1. Služba sa aktivuje po potvrdení kontrolným reťazcom, ktorý príde v SMS.\n"
           "2. Správy sa účtujú v mesačnom vyúčtovaní podľa platného cenníka.\n"
           "3. Službu môžete kedykoľvek deaktivovať v nastaveniach aplikácie.\n"
           "4. Cenník je zverejnený na stránkach operátora.";
}

SoapReply CannedService::Post(const std::string& body) {
    const std::string operation = OperationOf(body);
    const std::string inner = Answer(operation, body) + "<token validity=\"600\">GALLERY</token>";
    return {0, 200,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
            "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\" "
            "xmlns:ns1=\"" QUILLON_SERVICE_NAMESPACE "\"><SOAP-ENV:Body><ns1:" +
                operation + "Response>" + inner + "</ns1:" + operation +
                "Response></SOAP-ENV:Body></SOAP-ENV:Envelope>"};
}

std::string CannedService::Answer(const std::string& operation, const std::string& body) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (operation == "Login")
        return Status(0) + "<mobile>421905123456</mobile>";
    if (operation == "getServices")
        return Status(0) + "<services>" + Service(0, m_obk) + Service(1, m_postpaid) +
               Service(2, false) + "</services>";
    if (operation == "ask4ServiceActivation")
        return Status(0, "id=\"4711\"") + "<EULA>" + Terms() + "</EULA>";
    if (operation == "ServiceActivation") {
        if (body.find(std::string(">") + kCode + "<") == std::string::npos)
            return Status(37);
        m_postpaid = true;
        return Status(0);
    }
    if (operation == "ServiceDeactivation")
        m_postpaid = false;
    return Status(0);
}
