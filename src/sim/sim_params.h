#pragma once

// The catalogue of named parameters (command 255): each name with its number
// of indexes, the values the register accepts and its factory value.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_state.h"

namespace tessel::sim {

enum class ParamKind {
    flag,      // "0" or "1"
    integer,   // a decimal integer in [low, high]
    choice,    // one of the texts in choices
    text,      // any text of at most maxLength characters
    readOnly,  // reported by the register, refused on write
};

struct ParamDef {
    std::string name;
    int count = 1;  // number of indexes; an empty index means 0
    ParamKind kind = ParamKind::text;
    std::int64_t low = 0;
    std::int64_t high = 0;
    std::size_t maxLength = 0;
    std::vector<std::string> choices;
    std::string factory;  // value of every index after a factory reset
};

const std::vector<ParamDef>& parameterCatalogue();
// Case-insensitive, as the register compares names; nullptr when unknown.
const ParamDef* findParameter(std::string_view name);

bool acceptsValue(const ParamDef& def, std::string_view value);

// Factory values of every parameter; operator defaults depend on the model.
ParameterValues factoryParameters(std::string_view model);

// Default password of operator n (1-based) on the model: one digit, or four
// on the QN 12.
std::string defaultOperatorPassword(std::string_view model, int n);

}  // namespace tessel::sim
