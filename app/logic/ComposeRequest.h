#pragma once

#include <string>
#include <vector>

// A message to write that came from outside the program (an sms: link): the compose page
// starts with these recipients and this text. UTF-8.
struct ComposeRequest {
    std::vector<std::string> numbers;
    std::string body;
    bool operator==(const ComposeRequest&) const = default;
};
