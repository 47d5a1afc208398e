#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// The name of a parameterised case from its "name" field: letters and digits kept, the rest "_".
template <class Case> std::string ParamName(const testing::TestParamInfo<Case>& info) {
    std::string name = info.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}
