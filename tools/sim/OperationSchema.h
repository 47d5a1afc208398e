#pragma once

#include <string_view>
#include <vector>

// What a request of each of the service's operations must look like.

enum class ValueType { None, String, Int, Long, Boolean };

struct AttributeLayout {
    std::string_view name;
    ValueType type;
    bool optional;
};

enum class FieldShape {
    Scalar,      // content of the value type, attributes as listed
    StringArray, // SOAP-encoded array of xsd:string items
    IntArray,    // SOAP-encoded array of xsd:int items
    Group,       // a group: attributes as listed, any number of "alias" string children
};

struct FieldLayout {
    std::string_view name;
    FieldShape shape = FieldShape::Scalar;
    ValueType content = ValueType::String;
    std::vector<AttributeLayout> attributes = {};
    bool optional = false;
    std::string_view itemName = {};
};

struct OperationLayout {
    std::string_view name;
    bool utf8;
    std::vector<FieldLayout> request;
};

// The 25 operations in the order of the service schema.
const std::vector<OperationLayout>& Operations();

// The operation of that name, or null.
const OperationLayout* FindOperation(std::string_view name);
