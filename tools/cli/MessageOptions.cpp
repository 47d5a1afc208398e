#include "MessageOptions.h"

#include "ExitCode.h"
#include "InputDecoder.h"
#include "MessageText.h"
#include "ScheduleText.h"

#include "model/SmsScheduleInfo.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadTextFile(const std::string& path) {
    if (path == "-")
        return ReadAll(std::cin);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + path);
    return ReadAll(in);
}

// The text of a file or of stdin in the editor's form.
std::string FileText(const std::string& contents, const std::string& what) {
    return EditorText(InputDecoder::OfLocale().FileToUtf8(contents, what));
}

std::optional<bool> Choice(const ParsedArgs& args, const std::string& yes, const std::string& no) {
    if (args.Has(yes) && args.Has(no))
        throw UsageError(yes + " and " + no + " exclude each other");
    if (args.Has(yes))
        return true;
    if (args.Has(no))
        return false;
    return std::nullopt;
}

} // namespace

void AddMessageOptions(ArgParser& parser, bool replacing) {
    parser.Option("--text", "TEXT", "the message text", "-m")
        .Option("--text-file", "FILE", "read the message text from FILE (\"-\": stdin)")
        .Flag("--flash", "a flash message (shown at once, at most 160 characters)");
    if (replacing)
        parser.Flag("--no-flash", "an ordinary message");
    parser
        .Flag("--report", replacing ? "ask for a delivery report (default: as the message has it)"
                                    : "ask for a delivery report (default: the profile's setting)")
        .Flag("--no-report", "ask for no delivery report")
        .Option("--at", "\"DD.MM.YYYY HH:MM\"",
                "deliver at this local time (the service wants 15 minutes to 12 months ahead)")
        .Option("--every", "PERIOD", "deliver periodically from --at: " + PeriodicityNames())
        .Option("--name", "NAME", "the name of the scheduled message (at most 30 characters)");
}

std::optional<std::string> MessageTextOption(const ParsedArgs& args) {
    const auto text = args.Value("--text");
    const auto file = args.Value("--text-file");
    if (text && file)
        throw UsageError("--text and --text-file exclude each other");
    if (text)
        return EditorText(InputDecoder::OfLocale().ToUtf8(*text, "the message text"));
    if (file)
        return FileText(ReadTextFile(*file), "the message text in " + *file);
    return std::nullopt;
}

std::string MessageTextOrStdin(const ParsedArgs& args) {
    const auto text = MessageTextOption(args);
    return text ? *text : FileText(ReadAll(std::cin), "the message text on stdin");
}

void CheckMessageLength(const std::string& text, bool flash, int dummyLen) {
    const int length = MessageCounts::TextLength(text);
    const int most = EditorCounts(flash, dummyLen).GetMaxUserCharCount();
    if (length > most)
        throw UsageError("the message has " + std::to_string(length) + " characters; " +
                         (flash ? "a flash message" : "a message") + " takes at most " +
                         std::to_string(most));
}

std::optional<bool> FlashOption(const ParsedArgs& args) {
    return Choice(args, "--flash", "--no-flash");
}

std::optional<bool> ReportOption(const ParsedArgs& args) {
    return Choice(args, "--report", "--no-report");
}

ScheduleOptions ScheduleOptionsOf(const ParsedArgs& args) {
    ScheduleOptions options;
    if (const auto at = args.Value("--at")) {
        options.deliverAt = ParseLocalTime(*at);
        if (!options.deliverAt)
            throw UsageError("--at wants a local time \"DD.MM.YYYY HH:MM\", not \"" + *at + "\"");
    }
    if (const auto every = args.Value("--every")) {
        options.periodicity = ParsePeriodicity(*every);
        if (!options.periodicity)
            throw UsageError("unknown period \"" + *every + "\"; one of " + PeriodicityNames());
    }
    if (const auto name = args.Value("--name")) {
        options.name = InputDecoder::OfLocale().ToAnsi(*name, "--name");
        if (options.name->size() > CSmsScheduleInfo::MaxNameLength)
            throw UsageError("--name takes at most 30 characters");
    }
    return options;
}
