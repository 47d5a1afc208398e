#pragma once

#include <optional>
#include <string>

// The entry that starts the program minimised when the user's desktop session starts: an XDG
// autostart file whose Exec is the program's path followed by " -min".
class AutostartEntry {
public:
    // programPath: the running program's absolute path; file: where the entry lives.
    explicit AutostartEntry(std::string programPath, std::string file = DefaultFile());

    // "<XDG_CONFIG_HOME or ~/.config>/autostart/velora-quillon.desktop".
    static std::string DefaultFile();

    // Whether the entry exists, is enabled and starts this program.
    bool IsSet() const;
    // Writes the entry (atomically) or deletes it; false when that failed.
    bool Set(bool on) const;

    const std::string& File() const { return m_file; }
    const std::string& ProgramPath() const { return m_programPath; }

    // The Exec value that starts programPath minimised, quoted and escaped as desktop entries
    // need it.
    static std::string ExecValue(const std::string& programPath);
    // The program an Exec value starts (its first word, unquoted); nothing when malformed.
    static std::optional<std::string> ExecProgram(const std::string& exec);

private:
    std::string m_programPath;
    std::string m_file;
};
