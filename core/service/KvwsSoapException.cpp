#include "service/KvwsSoapException.h"

CKvwsSoapException::CKvwsSoapException(std::int32_t status, std::int32_t transportCode)
    : m_status(status), m_transportCode(transportCode),
      m_what(transportCode != 0 ? "transport error " + std::to_string(transportCode)
                                : "service status " + std::to_string(status)) {}
