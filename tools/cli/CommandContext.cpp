#include "CommandContext.h"

#include "ExitCode.h"

CliSession& CommandContext::Session(Access access) {
    if (!m_session)
        m_session = std::make_unique<CliSession>(m_args);
    m_session->Open(access);
    return *m_session;
}

int RunCommand(const ArgParser& parser, const std::vector<std::string>& args,
               const std::function<int(CommandContext&)>& body) {
    auto parsed = ParseCommand(parser, args);
    if (!parsed)
        return ExitOk;
    CommandContext context(std::move(*parsed));
    return body(context);
}
