#include "OperationSchema.h"

#include <algorithm>

namespace {

FieldLayout Text(std::string_view name) {
    return {name};
}

FieldLayout Token() {
    return Text("token");
}

FieldLayout Code() {
    return {"code", FieldShape::Scalar, ValueType::String, {{"id", ValueType::Long, false}}};
}

FieldLayout ServiceSelector() {
    return {"service", FieldShape::Scalar, ValueType::String, {{"type", ValueType::Int, false}}};
}

FieldLayout MessageOptions(bool optional) {
    return {"service",
            FieldShape::Scalar,
            ValueType::String,
            {{"notification", ValueType::Boolean, false},
             {"flash", ValueType::Boolean, false},
             {"type", ValueType::Int, false},
             {"deliverAt", ValueType::String, true},
             {"periodicity", ValueType::Int, true}},
            optional};
}

FieldLayout Recipients() {
    return {"recipients", FieldShape::StringArray, ValueType::String, {}, false, "to"};
}

FieldLayout NamedNumber() {
    return {"name", FieldShape::Scalar, ValueType::String, {{"mobile", ValueType::String, true}}};
}

FieldLayout MessageId() {
    return {"messageid", FieldShape::Scalar, ValueType::Long};
}

std::vector<OperationLayout> BuildOperations() {
    const FieldLayout client{
        "Client",
        FieldShape::Scalar,
        ValueType::String,
        {{"id", ValueType::String, true}, {"firstTime", ValueType::Boolean, false}}};
    const FieldLayout sms{"sms",          FieldShape::IntArray,
                          ValueType::Int, {{"messageid", ValueType::Long, true}},
                          false,          "id"};
    const FieldLayout group{
        "group", FieldShape::Group, ValueType::None, {{"name", ValueType::String, true}}};
    const FieldLayout credit{
        "credit", FieldShape::Scalar, ValueType::Int, {{"clubMemberPoints", ValueType::Int, true}}};
    return {
        {"ask4CreditList", false, {Token()}},
        {"Login", true, {Text("LoginName"), Text("Password"), client, Text("Version")}},
        {"getOBK", false, {Token()}},
        {"getServices", false, {Token()}},
        {"ask4ServiceActivation", true, {Token(), ServiceSelector()}},
        {"ServiceActivation", false, {Token(), Code()}},
        {"ServiceDeactivation", false, {Token(), ServiceSelector()}},
        {"sendSMS", false, {Token(), MessageOptions(false), Recipients(), Text("text")}},
        {"getNotifications", false, {Token(), sms}},
        {"getAddressBook", true, {Token()}},
        {"setAlias", true, {Token(), NamedNumber()}},
        {"setGroup", true, {Token(), group}},
        {"Logout", false, {Token()}},
        {"ask4UserRegistration", true, {Text("LoginName"), Text("Password"), Text("Mobile")}},
        {"UserRegistration", false, {Code()}},
        {"ask4MobileRegistration", false, {Token(), Text("mobile")}},
        {"MobileRegistration", false, {Token(), Code()}},
        {"MobileUnregister", false, {Token()}},
        {"KeepAlive", false, {Token()}},
        {"ask4CreditRecharge", false, {Token(), credit}},
        {"CreditRecharge", false, {Token(), Code()}},
        {"deleteAlias", true, {Token(), NamedNumber()}},
        {"deleteGroup", true, {Token(), Text("name")}},
        {"replaceSMS",
         false,
         {Token(), MessageId(), MessageOptions(true), Recipients(), Text("text")}},
        {"deleteSMS", false, {Token(), MessageId()}},
    };
}

} // namespace

const std::vector<OperationLayout>& Operations() {
    static const std::vector<OperationLayout> operations = BuildOperations();
    return operations;
}

const OperationLayout* FindOperation(std::string_view name) {
    const auto& all = Operations();
    const auto found = std::find_if(all.begin(), all.end(),
                                    [name](const OperationLayout& op) { return op.name == name; });
    return found == all.end() ? nullptr : &*found;
}
