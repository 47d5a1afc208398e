#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// What ArgParser found on one command line.
class ParsedArgs {
public:
    bool Has(const std::string& name) const { return m_values.count(name) != 0; }
    // The value of an option (the last one given), or nothing.
    std::optional<std::string> Value(const std::string& name) const;
    const std::vector<std::string>& Positionals() const { return m_positionals; }

private:
    friend class ArgParser;
    std::map<std::string, std::string> m_values; // flags map to ""
    std::vector<std::string> m_positionals;
};

// A small GNU-style option parser: "--name", "--name value", "--name=value", a one-letter
// alias "-x", "--" ending the options, and "-" as an ordinary argument. Options and arguments
// may come in any order. Errors throw a usage CliError.
class ArgParser {
public:
    ArgParser(std::string usage, std::string description);

    ArgParser& Flag(const std::string& name, const std::string& help,
                    const std::string& alias = {});
    ArgParser& Option(const std::string& name, const std::string& valueName,
                      const std::string& help, const std::string& alias = {});
    // Arguments other than options are then refused.
    ArgParser& NoArguments();

    ParsedArgs Parse(const std::vector<std::string>& args) const;
    // Parses the options in front of the first argument; consumed receives how many of the
    // texts they took.
    ParsedArgs ParsePrefix(const std::vector<std::string>& args, std::size_t& consumed) const;

    // The usage line, the description and one line per option.
    std::string Help() const;

private:
    struct Definition {
        std::string name;
        std::string alias;
        std::string valueName; // empty for a flag
        std::string help;
    };

    const Definition* Find(const std::string& text) const;
    ParsedArgs ParseUntil(const std::vector<std::string>& args, bool stopAtArgument,
                          std::size_t& consumed) const;

    std::string m_usage;
    std::string m_description;
    std::vector<Definition> m_options;
    bool m_takesArguments = true;
};
