#include "logic/CommandLine.h"

#include "logic/SmsLink.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <sys/stat.h>

namespace {

std::string Trimmed(const std::string& text) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool IsMinFlag(const std::string& arg) {
    const std::string word = Trimmed(arg);
    if (word.size() != 4 || word[0] != '-')
        return false;
    return std::equal(word.begin() + 1, word.end(), "min", [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    result.startMinimised = std::any_of(args.begin(), args.end(), IsMinFlag);
    const auto link = std::find_if(args.begin(), args.end(),
                                   [](const std::string& arg) { return SmsLink::IsLink(arg); });
    if (link != args.end())
        result.link = *link;
    return result;
}

CommandLine ParseCommandLine(int argc, const char* const argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    return ParseCommandLine(args);
}

bool EndsAtOnce(const CommandLine& commandLine, bool configFolderExists) {
    return commandLine.startMinimised && !configFolderExists;
}

bool ConfigFolderExists() {
    std::string folder = GetConfigDir(false, false);
    if (!folder.empty())
        folder.pop_back();
    struct stat info {};
    return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
