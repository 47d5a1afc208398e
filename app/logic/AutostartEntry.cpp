#include "logic/AutostartEntry.h"

#include "logic/ProgramStrings.h"
#include "model/StoredFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr const char* kFileName = "velora-quillon.desktop";
constexpr const char* kMinimised = " -min";
// What a word of Exec may not hold unquoted, and what must be escaped inside quotes.
constexpr const char* kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr const char* kEscapedInQuotes = "\"`$\\";

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

// A string value of a desktop entry keeps backslashes only as escapes.
std::string EscapeString(const std::string& value) {
    std::string escaped;
    for (const char c : value) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return escaped;
}

std::string UnescapeString(const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char next = value[++i];
        text += next == 's'   ? ' '
                : next == 'n' ? '\n'
                : next == 't' ? '\t'
                : next == 'r' ? '\r'
                              : next;
    }
    return text;
}

// The Exec word for the path: field codes doubled, quoted when it holds a reserved character.
std::string ExecWord(const std::string& path) {
    std::string word;
    for (const char c : path)
        word += c == '%' ? std::string("%%") : std::string(1, c);
    if (word.find_first_of(kReserved) == std::string::npos && !word.empty())
        return word;
    std::string quoted = "\"";
    for (const char c : word) {
        if (std::string_view(kEscapedInQuotes).find(c) != std::string_view::npos)
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

struct Entry {
    std::optional<std::string> exec;
    bool hidden = false;
    bool enabled = true;
};

Entry ReadEntry(const std::string& file) {
    Entry entry;
    std::ifstream in(file);
    std::string line;
    bool inMainGroup = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        while (!key.empty() && key.back() == ' ')
            key.pop_back();
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(' '));
        if (key == "Exec")
            entry.exec = UnescapeString(value);
        else if (key == "Hidden")
            entry.hidden = value == "true";
        else if (key == "X-GNOME-Autostart-enabled")
            entry.enabled = value != "false";
    }
    return entry;
}

} // namespace

AutostartEntry::AutostartEntry(std::string programPath, std::string file)
    : m_programPath(std::move(programPath)), m_file(std::move(file)) {}

std::string AutostartEntry::DefaultFile() {
    return ConfigHome() + "/autostart/" + kFileName;
}

std::string AutostartEntry::ExecValue(const std::string& programPath) {
    return ExecWord(programPath) + kMinimised;
}

std::optional<std::string> AutostartEntry::ExecProgram(const std::string& exec) {
    const std::size_t start = exec.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::nullopt;
    std::string program;
    bool quoted = false;
    std::size_t i = start;
    for (; i < exec.size(); ++i) {
        const char c = exec[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted && c == '\\' && i + 1 < exec.size()) {
            program += exec[++i];
        } else if (!quoted && (c == ' ' || c == '\t')) {
            break;
        } else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            program += exec[++i];
        } else {
            program += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return program;
}

bool AutostartEntry::IsSet() const {
    if (!std::filesystem::exists(m_file))
        return false;
    const Entry entry = ReadEntry(m_file);
    if (!entry.exec || entry.hidden || !entry.enabled)
        return false;
    return ExecProgram(*entry.exec) == m_programPath;
}

bool AutostartEntry::Set(bool on) const {
    std::error_code error;
    const std::filesystem::path file(m_file);
    if (!on) {
        std::filesystem::remove(file, error);
        return !error;
    }
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return false;
    const std::string text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=" +
        EscapeString(std::string(ProgramStrings().GetUtf8(ProgramString::TrayTip).value_or(""))) +
        "\nExec=" + EscapeString(ExecValue(m_programPath)) +
        "\n"
        "X-GNOME-Autostart-enabled=true\n";
    // Replaced whole, so that the session never reads half an entry.
    const std::string temporaryOf =
        (file.parent_path() / ("." + file.filename().string())).string();
    return !ReplaceStoredBytes(m_file, {text.begin(), text.end()}, temporaryOf).Failed();
}
