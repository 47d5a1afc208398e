#pragma once

#include <cstdint>

// The identity of a contact or group while the program runs. One process-wide sequence, shared
// by contacts and groups, starting at 0. Values stay below 2^24 because the compose page keeps
// the choice of the second number in the bit above; after the last value the sequence starts
// again at 0 and skips every value that a live entry still holds. Copies share the value.
class CSmsAddressBookId {
public:
    static constexpr std::uint32_t Limit = 1u << 24;

    CSmsAddressBookId();
    CSmsAddressBookId(const CSmsAddressBookId& other);
    CSmsAddressBookId& operator=(const CSmsAddressBookId& other);
    ~CSmsAddressBookId();

    std::uint32_t Value() const { return m_value; }

    // Where the sequence continues; for tests of the wrap-around.
    static void SetNext(std::uint32_t next);

private:
    std::uint32_t m_value;
};
