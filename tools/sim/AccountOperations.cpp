#include "AccountOperations.h"

#include "PhoneNumber.h"
#include "ServiceStatus.h"

#include <algorithm>
#include <cstdio>

namespace {

using namespace ServiceStatus;

constexpr int kCreditCap = 1000;
constexpr std::int64_t kRechargeInterval = 3600;
constexpr std::int64_t kActivationPendingFor = 300;

struct ClubOption {
    int points;
    float addCharge;
    const char* currency;
};

struct CreditOffer {
    int value;
    bool clubMemberOnly;
    std::vector<ClubOption> options;
};

const std::vector<CreditOffer>& CreditOffers() {
    static const std::vector<CreditOffer> offers = {
        {50, false, {{100, 0.5f, "EUR"}, {80, 0.99f, "EUR"}}},
        {100, false, {{190, 1.0f, "EUR"}}},
        {200, false, {}},
        {500, true, {{900, 0.0f, "EUR"}}},
    };
    return offers;
}

std::string FloatText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", static_cast<double>(value));
    return text;
}

std::string Eula(int type) {
    static const char* const kNames[kServiceCount] = {"OBK", "POSTPAID", "SMTP"};
    return std::string("Zmluvné podmienky služby ") + kNames[type] +
           "\n1. Služba sa aktivuje po potvrdení kontrolným reťazcom.\n2. Cenník je "
           "zverejnený na stránkach operátora.";
}

bool IsPlainLoginName(const std::string& login) {
    return !login.empty() && login.size() <= 32 &&
           std::all_of(login.begin(), login.end(), [](unsigned char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '_' || c == '-';
           });
}

} // namespace

void AccountOperations::Register(OperationRegistry& registry) {
    registry.AddSession("ask4CreditList", this, &AccountOperations::Ask4CreditList);
    registry.AddSession("ask4CreditRecharge", this, &AccountOperations::Ask4CreditRecharge);
    registry.AddSession("CreditRecharge", this, &AccountOperations::CreditRecharge);
    registry.AddSession("ask4ServiceActivation", this, &AccountOperations::Ask4ServiceActivation);
    registry.AddSession("ServiceActivation", this, &AccountOperations::ServiceActivation);
    registry.AddSession("ServiceDeactivation", this, &AccountOperations::ServiceDeactivation);
    registry.AddSession("ask4MobileRegistration", this, &AccountOperations::Ask4MobileRegistration);
    registry.AddSession("MobileRegistration", this, &AccountOperations::MobileRegistration);
    registry.AddSession("MobileUnregister", this, &AccountOperations::MobileUnregister);
    registry.AddPublic("ask4UserRegistration", this, &AccountOperations::Ask4UserRegistration);
    registry.AddPublic("UserRegistration", this, &AccountOperations::UserRegistration);
}

Transaction* AccountOperations::Confirmed(const SoapRequest& request, Transaction::Kind kind,
                                          const std::string& login) {
    const std::int64_t id = request.AttributeNumber("code", "id").value_or(0);
    Transaction* transaction = m_state.Transactions().Find(id, kind);
    const bool matches = transaction && (login.empty() || transaction->login == login) &&
                         transaction->code == request.EscapedText("code");
    return matches ? transaction : nullptr;
}

void AccountOperations::Opened(ReplyWriter& reply, Transaction transaction) {
    transaction.openedAt = m_state.Now();
    const Transaction& opened = m_state.Transactions().Open(std::move(transaction));
    reply.Status(0).Attribute("id", std::to_string(opened.id));
}

void AccountOperations::Ask4CreditList(Account&, const SoapRequest&, ReplyWriter& reply) {
    reply.Status(0);
    ReplyElement& list = reply.Array("creditList", "ns1:clubMemberPoints");
    for (const CreditOffer& offer : CreditOffers()) {
        ReplyElement& entry =
            list.AddItem()
                .Attribute("value", std::to_string(offer.value))
                .Attribute("clubMemberOnly", offer.clubMemberOnly ? "true" : "false");
        reply.Array(entry, "ns1:clubMemberPoints");
        for (const ClubOption& option : offer.options) {
            entry.AddItem()
                .Attribute("addCharge", FloatText(option.addCharge))
                .Attribute("currency", option.currency)
                .Text(std::to_string(option.points));
        }
    }
}

int AccountOperations::RechargeRefusal(const Account& account, int amount, int clubPoints) const {
    const auto& offers = CreditOffers();
    const auto offer = std::find_if(offers.begin(), offers.end(),
                                    [amount](const CreditOffer& o) { return o.value == amount; });
    if (offer == offers.end() || account.portalCredit + amount > kCreditCap)
        return kCreditCapExceeded;
    if (account.lastRechargeAt != 0 && m_state.Now() < account.lastRechargeAt + kRechargeInterval)
        return kRechargeTooSoon;
    if (clubPoints > 0 || offer->clubMemberOnly) {
        if (account.prepaid)
            return kClubForPostpaidOnly;
        const bool offered =
            std::any_of(offer->options.begin(), offer->options.end(),
                        [clubPoints](const ClubOption& o) { return o.points == clubPoints; });
        if (!offered || account.clubPoints < clubPoints)
            return kNotEnoughClubPoints;
    }
    return 0;
}

void AccountOperations::Ask4CreditRecharge(Account& account, const SoapRequest& request,
                                           ReplyWriter& reply) {
    const int amount = static_cast<int>(request.Number("credit"));
    const int points =
        static_cast<int>(request.AttributeNumber("credit", "clubMemberPoints").value_or(0));
    if (const int refusal = RechargeRefusal(account, amount, points)) {
        reply.Status(refusal);
        return;
    }
    Opened(reply, {.kind = Transaction::Kind::CreditRecharge,
                   .login = account.login,
                   .amount = amount,
                   .clubPoints = points});
}

void AccountOperations::CreditRecharge(Account& account, const SoapRequest& request,
                                       ReplyWriter& reply) {
    Transaction* transaction = Confirmed(request, Transaction::Kind::CreditRecharge, account.login);
    if (!transaction) {
        reply.Status(kWrongRechargeCode);
        return;
    }
    if (const int refusal =
            RechargeRefusal(account, transaction->amount, transaction->clubPoints)) {
        reply.Status(refusal);
        return;
    }
    account.portalCredit += transaction->amount;
    account.clubPoints -= transaction->clubPoints;
    account.lastRechargeAt = m_state.Now();
    m_state.Transactions().Close(transaction->id);
    reply.Status(0);
}

int AccountOperations::ActivationRefusal(const Account& account, int type) const {
    if (type < 0 || type >= kServiceCount || account.blocked[type])
        return kCannotChangeService;
    if (account.active[type])
        return kServiceAlreadyActive;
    if (type == kServicePostpaid && account.prepaid)
        return kPostpaidOnly;
    for (const Transaction* open : m_state.Transactions().OpenFor(account.login)) {
        if (open->kind == Transaction::Kind::ServiceActivation && open->serviceType == type &&
            m_state.Now() < open->openedAt + kActivationPendingFor)
            return kActivationPending;
    }
    return 0;
}

void AccountOperations::Ask4ServiceActivation(Account& account, const SoapRequest& request,
                                              ReplyWriter& reply) {
    const int type = static_cast<int>(request.AttributeNumber("service", "type").value_or(-1));
    if (const int refusal = ActivationRefusal(account, type)) {
        reply.Status(refusal);
        return;
    }
    Opened(reply, {.kind = Transaction::Kind::ServiceActivation,
                   .login = account.login,
                   .serviceType = type});
    reply.Field("EULA").Text(Eula(type));
}

void AccountOperations::ServiceActivation(Account& account, const SoapRequest& request,
                                          ReplyWriter& reply) {
    Transaction* transaction =
        Confirmed(request, Transaction::Kind::ServiceActivation, account.login);
    if (!transaction) {
        reply.Status(kWrongActivationCode);
        return;
    }
    account.active[transaction->serviceType] = true;
    m_state.Transactions().Close(transaction->id);
    reply.Status(0);
}

void AccountOperations::ServiceDeactivation(Account& account, const SoapRequest& request,
                                            ReplyWriter& reply) {
    const auto type = request.AttributeNumber("service", "type").value_or(-1);
    if (type < 0 || type >= kServiceCount || account.blocked[type]) {
        reply.Status(kCannotChangeService);
        return;
    }
    if (!account.active[type]) {
        reply.Status(kServiceInactive);
        return;
    }
    account.active[type] = false;
    reply.Status(0);
}

int AccountOperations::MobileRefusal(const std::string& mobile,
                                     const MobileStatuses& statuses) const {
    if (!IsWellFormedNumber(mobile))
        return statuses.malformed;
    if (!IsInNetwork(mobile, m_state.Options().networkPrefixes))
        return statuses.notInNetwork;
    return m_state.FindAccountByMobile(mobile) ? statuses.taken : 0;
}

void AccountOperations::Ask4MobileRegistration(Account& account, const SoapRequest& request,
                                               ReplyWriter& reply) {
    const std::string& mobile = request.Text("mobile");
    if (const int refusal = MobileRefusal(mobile, {kWrongMobile, kNotInNetwork, kMobileTaken})) {
        reply.Status(refusal);
        return;
    }
    Opened(
        reply,
        {.kind = Transaction::Kind::MobileRegistration, .login = account.login, .mobile = mobile});
}

void AccountOperations::MobileRegistration(Account& account, const SoapRequest& request,
                                           ReplyWriter& reply) {
    Transaction* transaction =
        Confirmed(request, Transaction::Kind::MobileRegistration, account.login);
    if (!transaction) {
        reply.Status(kWrongMobileCode);
        return;
    }
    if (m_state.FindAccountByMobile(transaction->mobile)) {
        reply.Status(kMobileTaken);
        return;
    }
    account.mobile = transaction->mobile;
    m_state.Transactions().Close(transaction->id);
    reply.Status(0);
}

void AccountOperations::MobileUnregister(Account& account, const SoapRequest&, ReplyWriter& reply) {
    account.mobile.clear();
    reply.Status(0);
}

int AccountOperations::UserRefusal(const std::string& login, const std::string& password,
                                   const std::string& mobile) const {
    if (!IsPlainLoginName(login))
        return kBadLoginName;
    if (m_state.FindAccount(login))
        return kLoginTaken;
    if (password.size() < 4)
        return kBadPassword;
    return MobileRefusal(mobile, {kBadUserMobile, kUserMobileNotInNetwork, kUserMobileTaken});
}

void AccountOperations::Ask4UserRegistration(const SoapRequest& request, ReplyWriter& reply) {
    Transaction transaction;
    transaction.kind = Transaction::Kind::UserRegistration;
    transaction.login = request.EscapedText("LoginName");
    transaction.password = request.EscapedText("Password");
    transaction.mobile = request.EscapedText("Mobile");
    if (const int refusal =
            UserRefusal(transaction.login, transaction.password, transaction.mobile)) {
        reply.Status(refusal);
        return;
    }
    Opened(reply, std::move(transaction));
    reply.Field("EULA").Text("Všeobecné podmienky používania služby Quillon\n1. Účet sa "
                             "zriadi po potvrdení kontrolným reťazcom.");
}

void AccountOperations::UserRegistration(const SoapRequest& request, ReplyWriter& reply) {
    Transaction* transaction = Confirmed(request, Transaction::Kind::UserRegistration, {});
    if (!transaction) {
        reply.Status(kWrongUserCode);
        return;
    }
    if (const int refusal =
            UserRefusal(transaction->login, transaction->password, transaction->mobile)) {
        reply.Status(refusal);
        return;
    }
    Account account;
    account.login = transaction->login;
    account.password = transaction->password;
    account.mobile = transaction->mobile;
    m_state.AddAccount(std::move(account));
    const std::string token = m_state.Sessions().Open(transaction->login, m_state.Now());
    m_state.Transactions().Close(transaction->id);
    reply.Status(0);
    reply.Token(token, m_state.Sessions().Validity());
}
