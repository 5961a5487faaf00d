// Numbers typed into the configuration windows, read strictly and with "." as
// the decimal point whatever the locale. All fields of an action are checked
// before anything is stored or sent.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/number_format.h"  // ParseNumber
#include "platform/ui_text.h"

namespace lxv {

struct NumberField {
    std::string name;  // how the message names the field: a design text
    std::string text;  // what the field holds
};

struct FieldValues {
    std::vector<double> values;  // one per field, in order; empty when a field failed
    UiText error;                // the conversion message of the first failing field
    bool ok() const { return error.empty(); }
};

// "<name>: '<text>' is not a valid floating point value".
UiText FieldConversionMessage(const std::string& name, const std::string& text);

// Every field in order; an empty field reads as 0. On the first field that is
// not a number, no values and that field's message.
FieldValues ReadNumberFields(const std::vector<NumberField>& fields);

}  // namespace lxv
