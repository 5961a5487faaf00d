#include "instrument/number_fields.h"

namespace lxv {

UiText FieldConversionMessage(const std::string& name, const std::string& text) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "%1: '%2' is not a valid floating point value"))
        .argText(name)
        .arg(text);
}

FieldValues ReadNumberFields(const std::vector<NumberField>& fields) {
    FieldValues r;
    for (const NumberField& f : fields) {
        if (f.text.find_first_not_of(" \t") == std::string::npos) {
            r.values.push_back(0.0);
            continue;
        }
        const std::optional<double> v = ParseNumber(f.text);
        if (!v) return FieldValues{{}, FieldConversionMessage(f.name, f.text)};
        r.values.push_back(*v);
    }
    return r;
}

}  // namespace lxv
