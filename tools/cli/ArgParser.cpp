#include "ArgParser.h"

#include "ExitCode.h"

#include <algorithm>
#include <sstream>

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

ArgParser::ArgParser(std::string usage, std::string description)
    : m_usage(std::move(usage)), m_description(std::move(description)) {}

ArgParser& ArgParser::Flag(const std::string& name, const std::string& help,
                           const std::string& alias) {
    m_options.push_back({name, alias, {}, help});
    return *this;
}

ArgParser& ArgParser::Option(const std::string& name, const std::string& valueName,
                             const std::string& help, const std::string& alias) {
    m_options.push_back({name, alias, valueName, help});
    return *this;
}

ArgParser& ArgParser::NoArguments() {
    m_takesArguments = false;
    return *this;
}

const ArgParser::Definition* ArgParser::Find(const std::string& text) const {
    const auto found =
        std::find_if(m_options.begin(), m_options.end(), [&](const Definition& option) {
            return option.name == text || (!option.alias.empty() && option.alias == text);
        });
    return found == m_options.end() ? nullptr : &*found;
}

ParsedArgs ArgParser::Parse(const std::vector<std::string>& args) const {
    std::size_t consumed = 0;
    ParsedArgs parsed = ParseUntil(args, false, consumed);
    if (!m_takesArguments && !parsed.m_positionals.empty())
        throw UsageError("unexpected argument \"" + parsed.m_positionals.front() + "\"");
    return parsed;
}

ParsedArgs ArgParser::ParsePrefix(const std::vector<std::string>& args,
                                  std::size_t& consumed) const {
    return ParseUntil(args, true, consumed);
}

ParsedArgs ArgParser::ParseUntil(const std::vector<std::string>& args, bool stopAtArgument,
                                 std::size_t& consumed) const {
    ParsedArgs parsed;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& text = args[i];
        if (text == "--") {
            if (stopAtArgument)
                break;
            parsed.m_positionals.insert(parsed.m_positionals.end(), args.begin() + i + 1,
                                        args.end());
            i = args.size();
            break;
        }
        if (text.size() < 2 || text[0] != '-') {
            if (stopAtArgument)
                break;
            parsed.m_positionals.push_back(text);
            continue;
        }
        const std::size_t equals = text.find('=');
        const std::string name = text.substr(0, equals);
        const Definition* option = Find(name);
        if (!option)
            throw UsageError("unknown option \"" + name + "\"");
        if (option->valueName.empty()) {
            if (equals != std::string::npos)
                throw UsageError(option->name + " takes no value");
            parsed.m_values[option->name] = {};
        } else if (equals != std::string::npos) {
            parsed.m_values[option->name] = text.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            parsed.m_values[option->name] = args[++i];
        } else {
            throw UsageError(option->name + " needs a value (" + option->valueName + ")");
        }
    }
    consumed = i;
    return parsed;
}

namespace {

constexpr std::size_t kHelpColumn = 32;
constexpr std::size_t kHelpWidth = 96;

// The words of text after left (padded to kHelpColumn), wrapped at kHelpWidth with every
// further line indented to kHelpColumn.
std::string HelpLine(std::string left, const std::string& text) {
    left.resize(std::max(left.size() + 2, kHelpColumn), ' ');
    std::string out = left;
    std::size_t column = out.size();
    bool lineStart = true;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!lineStart && column + 1 + word.size() > kHelpWidth) {
            out += "\n" + std::string(kHelpColumn, ' ');
            column = kHelpColumn;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    return out + "\n";
}

} // namespace

std::string ArgParser::Help() const {
    std::string help = "Usage: " + m_usage + "\n\n" + m_description + "\n";
    if (m_options.empty())
        return help;
    help += "\nOptions:\n";
    for (const Definition& option : m_options) {
        std::string left =
            "  " + (option.alias.empty() ? "    " : option.alias + ", ") + option.name;
        if (!option.valueName.empty())
            left += " " + option.valueName;
        help += HelpLine(left, option.help);
    }
    return help;
}
