// What the three configuration windows share: the key filter of their number
// fields, labelled fields, and showing a controller's message.
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace lxv {

struct ConfigEffects;

// Lets only backspace, the digits, "." and (with `minus`) "-" through to the
// field; every other key that types a character is dropped. Editing keys
// (arrows, Delete, shortcuts) pass.
void InstallNumberKeyFilter(QLineEdit* field, bool minus);

// A line edit named `name` holding `text`, with `label` as its buddy (its accessible name).
QLineEdit* NumberField(QWidget* parent, const char* name, const QString& text, QLabel* label, bool minus);

// The controller's message box, if any.
void ShowEffects(QWidget* parent, const ConfigEffects& fx);

}  // namespace lxv
