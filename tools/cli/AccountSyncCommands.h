#pragma once

#include <string>
#include <vector>

// The account, service, address book and synchronisation commands of quillon-cli (same
// conventions as Commands.h).

int RunCredit(const std::vector<std::string>& args);
int RunServices(const std::vector<std::string>& args);
int RunService(const std::vector<std::string>& args);
int RunRegisterNumber(const std::vector<std::string>& args);
int RunRegisterUser(const std::vector<std::string>& args);
int RunContacts(const std::vector<std::string>& args);
int RunSync(const std::vector<std::string>& args);
