#include "platform/command_task.h"

namespace lxv {

UiText InvalidValueText(const char* name, const QString& value, const char* allowed) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "invalid value for %1: \"%2\" (%3)"))
        .arg(std::string("--") + name)
        .arg(value.toStdString())
        .argText(allowed);
}

UiText UnexpectedArgumentText(const QString& file) {
    return UiText(QT_TRANSLATE_NOOP("lxv", "unexpected argument \"%1\"")).arg(file.toStdString());
}

}  // namespace lxv
