#include "SmsAddressBookId.h"

#include <mutex>
#include <unordered_map>

namespace {

// Values held by live entries, with the number of copies holding each.
struct IdRegistry {
    std::mutex mutex;
    std::unordered_map<std::uint32_t, std::uint32_t> holders;
    std::uint32_t next = 0;

    std::uint32_t Acquire() {
        std::lock_guard lock(mutex);
        for (std::uint32_t tries = 0; tries < CSmsAddressBookId::Limit; ++tries) {
            const std::uint32_t value = Advance();
            if (holders.try_emplace(value, 1).second)
                return value;
        }
        // Every value is held (never in practice): share one rather than fail.
        const std::uint32_t value = Advance();
        ++holders[value];
        return value;
    }

    void Retain(std::uint32_t value) {
        std::lock_guard lock(mutex);
        ++holders[value];
    }

    void Release(std::uint32_t value) {
        std::lock_guard lock(mutex);
        const auto found = holders.find(value);
        if (found != holders.end() && --found->second == 0)
            holders.erase(found);
    }

private:
    std::uint32_t Advance() {
        const std::uint32_t value = next;
        next = (next + 1) % CSmsAddressBookId::Limit;
        return value;
    }
};

// Never destroyed: entries owned by static objects may outlive any static registry.
IdRegistry& Registry() {
    static IdRegistry* registry = new IdRegistry;
    return *registry;
}

} // namespace

CSmsAddressBookId::CSmsAddressBookId() : m_value(Registry().Acquire()) {}

CSmsAddressBookId::CSmsAddressBookId(const CSmsAddressBookId& other) : m_value(other.m_value) {
    Registry().Retain(m_value);
}

CSmsAddressBookId& CSmsAddressBookId::operator=(const CSmsAddressBookId& other) {
    if (this != &other) {
        Registry().Retain(other.m_value);
        Registry().Release(m_value);
        m_value = other.m_value;
    }
    return *this;
}

CSmsAddressBookId::~CSmsAddressBookId() {
    Registry().Release(m_value);
}

void CSmsAddressBookId::SetNext(std::uint32_t next) {
    IdRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.next = next % Limit;
}
