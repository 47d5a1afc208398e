#include "SimOptions.h"

#include <charconv>
#include <functional>
#include <map>
#include <stdexcept>

namespace {

// 31.12.9999 23:59:59 UTC: calendar work stays within four-digit years.
constexpr std::int64_t kLatestTime = 253402300799;

std::int64_t ToNumber(const std::string& flag, const std::string& text, std::int64_t minimum,
                      std::int64_t maximum) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < minimum ||
        value > maximum)
        throw std::invalid_argument(flag + " needs a number from " + std::to_string(minimum) +
                                    " to " + std::to_string(maximum) + ", not \"" + text + "\"");
    return value;
}

int ToInt(const std::string& flag, const std::string& text, int minimum, int maximum) {
    return static_cast<int>(ToNumber(flag, text, minimum, maximum));
}

using ValueSetter = std::function<void(SimOptions&, const std::string& flag, const std::string&)>;
using FlagSetter = std::function<void(SimOptions&)>;

const std::map<std::string, FlagSetter>& Flags() {
    static const std::map<std::string, FlagSetter> flags = {
        {"--http", [](SimOptions& o) { o.http = true; }},
        {"--admin", [](SimOptions& o) { o.admin = true; }},
        {"--help", [](SimOptions& o) { o.help = true; }},
        {"--drop", [](SimOptions& o) { o.faults.drop = true; }},
        {"--soap-fault", [](SimOptions& o) { o.faults.soapFault = true; }},
        {"--truncate", [](SimOptions& o) { o.faults.truncate = true; }},
        {"--soap11", [](SimOptions& o) { o.faults.soap11 = true; }},
        {"--bad-validity", [](SimOptions& o) { o.faults.badValidity = true; }},
    };
    return flags;
}

const std::map<std::string, ValueSetter>& ValueFlags() {
    static const std::map<std::string, ValueSetter> flags = {
        {"--port", [](SimOptions& o, auto& f, auto& v) { o.port = ToInt(f, v, 0, 65535); }},
        {"--state", [](SimOptions& o, auto&, auto& v) { o.stateDir = v; }},
        {"--delay",
         [](SimOptions& o, auto& f, auto& v) { o.faults.delayMs = ToInt(f, v, 0, 3600000); }},
        {"--drip",
         [](SimOptions& o, auto& f, auto& v) { o.faults.dripMs = ToInt(f, v, 0, 60000); }},
        {"--drip-endless",
         [](SimOptions& o, auto& f, auto& v) { o.faults.endlessDripMs = ToInt(f, v, 1, 60000); }},
        {"--http-status",
         [](SimOptions& o, auto& f, auto& v) { o.faults.httpStatus = ToInt(f, v, 100, 599); }},
        {"--item-name",
         [](SimOptions& o, auto& f, auto& v) {
             if (v.empty())
                 throw std::invalid_argument(f + " needs a name");
             o.faults.itemName = v;
         }},
        {"--account", [](SimOptions& o, auto&, auto& v) { o.accountLines.push_back(v); }},
        {"--accounts", [](SimOptions& o, auto&, auto& v) { o.accountsFile = v; }},
        {"--token-validity",
         [](SimOptions& o, auto& f, auto& v) { o.tokenValidity = ToInt(f, v, 1, 86400 * 365); }},
        {"--max-failures",
         [](SimOptions& o, auto& f, auto& v) { o.maxLoginFailures = ToInt(f, v, 1, 1000); }},
        {"--delivery-after",
         [](SimOptions& o, auto& f, auto& v) { o.deliveryAfter = ToInt(f, v, 0, 86400 * 30); }},
        {"--network-prefix", [](SimOptions& o, auto&, auto& v) { o.networkPrefixes.push_back(v); }},
        {"--first-sms-id",
         [](SimOptions& o, auto& f, auto& v) { o.firstSmsId = ToNumber(f, v, 1, INT64_MAX / 2); }},
        {"--start-time",
         [](SimOptions& o, auto& f, auto& v) { o.startTime = ToNumber(f, v, 0, kLatestTime); }},
        {"--notice", [](SimOptions& o, auto&, auto& v) { o.notice = v; }},
    };
    return flags;
}

} // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (auto plain = Flags().find(flag); plain != Flags().end()) {
            plain->second(options);
            continue;
        }
        auto valued = ValueFlags().find(flag);
        if (valued == ValueFlags().end())
            throw std::invalid_argument("unknown option \"" + flag + "\" (see --help)");
        if (i + 1 == args.size())
            throw std::invalid_argument(flag + " needs a value");
        valued->second(options, flag, args[++i]);
    }
    if (options.networkPrefixes.empty())
        options.networkPrefixes = {"42190", "42191"};
    return options;
}

std::string SimUsage() {
    return R"(quillon-sim: a simulator of the operator's SMS web service, for tests and demos.

Usage: quillon-sim [options]

Serving:
  --port N            listen on 127.0.0.1:N (0 = pick a free port; default 0)
  --state DIR         state folder; the CA and the server certificate are generated there on
                      first start and reused later (default <XDG_DATA_HOME or
                      ~/.local/share>/quillon-sim)
  --http              plain HTTP instead of HTTPS (clients refuse it unless told, e.g.
                      quillon-cli with QUILLON_ALLOW_HTTP=1)
  --admin             enable the admin path /admin/... (see below)
  --help              this text

On start two lines are printed before serving:
  quillon-sim listening on https://127.0.0.1:<port>/sk/!kvws.sms
  CA file: <absolute path of the CA certificate in PEM>
SIGINT or SIGTERM stops the simulator cleanly (exit code 0).

Accounts:
  --account L:P:M[,option...]
                      add the account with login name L, password P and mobile number M
                      (M may be empty); repeatable
  --accounts FILE     read accounts from FILE: one account a line in the form of --account,
                      blank lines and lines starting with # are ignored
  Without accounts the simulator knows one: demo:demo:421905123456.
  Account options (comma-separated after the mobile number):
    credit=N          portal credit in SMS (default 100)
    club=N            club points (default 0)
    services=A+B      active services among obk, postpaid, smtp (default obk+postpaid)
    blocked=A+B       services disabled by the operator (sending gives 26)
    versions=A+B      accepted client versions (default: any); another version gives 66
    limit=N           daily limit of SMS (default 1000; beyond it sending gives 59)
    prepaid           a prepaid customer (postpaid activation gives 38, club recharge 42)
    deactivated       the account is deactivated (login gives 13)
    refuse=OP/S       operation OP answers status S (e.g. refuse=CreditRecharge/41)

Session:
  --token-validity S  validity of a session token in seconds (default 600); a token unused
                      for longer is expired (21); an unknown one gives 20
  --max-failures N    wrong passwords in a row before the account is locked (12) (default 3)
  --notice TEXT       the notice sent with every successful login
  The enciphered client id of a login must match the login name and the client type
  ("QLN" or "QLN IE"); otherwise the login is answered with a SOAP Fault.

Sending:
  --delivery-after S  seconds until a sent SMS reaches its final delivery state (default 30)
  --network-prefix P  numbers of the operator's network start with P (repeatable; default
                      42190 and 42191); other numbers give 22, numbers that are not 10 to 15
                      digits give 31
  --first-sms-id N    number of the first SMS (default 100001)
  Statuses: no mobile number 23, tariff service blocked 26 or not active 27 (type 0 needs
  obk, type 1 postpaid), no recipients 28, portal credit short 29 (one SMS part of 160, or
  153 in longer texts, per recipient), daily limit 59, scheduled time less than 15 minutes
  or more than 12 months ahead 67, replacing or deleting a message that is unknown, deleted
  or already delivered (once) 69.
  Delivery: a number ending in 666 fails (-1), one ending in 999 expires (-2), one ending in
  333 is refused (-3), any other is delivered (1); until then the state is 0 (pending).
  Reports come only for SMS sent with notification="true"; those of a scheduled message
  (query with messageid) concern its latest occurrence.

Two-step requests: the check code "sent by SMS" is printed to stderr (and shown on the admin
path). Recharge: amounts of the credit list only, credit above 1000 40, within an hour of
the last recharge 41, club points for a prepaid customer 42, points not offered or not
held 46, wrong code 58 (43 to 45 only through refuse=). Activation: unknown or blocked
service 32, already active 60, postpaid for a prepaid customer 38, another activation of
it asked for in the last 5 minutes 61, wrong code 37; deactivation of an inactive service
33. Mobile registration: malformed number 49, outside the network 22, registered already
48, wrong code 50. User registration: login name taken 51, not 1 to 32 of a-z A-Z 0-9 . _ -
52, password under 4 characters 53, malformed mobile 54, outside the network 55,
registered already 56, wrong code 57.

Address book (needs the obk service: blocked 26, inactive 27): alias names of 1 to 15
plain characters (else 36), numbers of 9 to 15 digits (else 31), each number on one alias
only (else 35). Group members that name no alias are left out; deleting an alias takes it
out of the groups; deleting what does not exist succeeds.

Time:
  --start-time T      freeze the simulator's clock at T (seconds since 1970); it then moves only
                      through the admin path. Without it the system clock is used, shifted by
                      what the admin path added.

Fault injection (service path only):
  --delay MS          delay every reply by MS milliseconds
  --drip MS           send the headers of every reply at once, then its body one byte every
                      MS milliseconds (replies that --http-status or --soap-fault replace go
                      at once)
  --drip-endless MS   send the headers at once, then a chunked body that never ends: the
                      reply and after it a space, one byte every MS milliseconds, until the
                      client gives up
  --drop              close the connection without any reply
  --http-status N     answer every request with HTTP status N (empty body)
  --soap-fault        answer a SOAP Fault (HTTP 500)
  --truncate          cut the reply body in half
  --soap11            answer in a SOAP 1.1 envelope
  --item-name NAME    name array items NAME instead of "item"
  --bad-validity      send a token with validity "abc"

Admin path (only with --admin):
  GET  /admin/time                  the simulator's current time
  POST /admin/advance?seconds=N     move the simulator's clock forward by N seconds
  POST /admin/faults?name=value...  change fault injection at run time (delay, drip,
                                    drip-endless, drop, http-status, soap-fault, truncate,
                                    soap11, item-name, bad-validity; 0 or empty switches
                                    off)
  GET  /admin/codes/<login>         check codes "sent by SMS" to that account, one a line:
                                    <transaction id> <code>
  POST /admin/refuse?login=L&operation=OP&status=S
                                    make OP answer S for that account (S=0 clears)
  GET  /admin/account/<login>       the account's state as name=value lines

Web pages: /sk/kvws.stats?token=T (statistics of the session's account) and /quillon/...
(help pages).
)";
}
