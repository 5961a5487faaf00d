#include "instrument/form_support.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "instrument/chain_step.h"
#include "platform/dialogs.h"
#include "platform/translation.h"

namespace lxv {

namespace {

class NumberKeyFilter : public QObject {
  public:
    NumberKeyFilter(QObject* parent, bool minus) : QObject(parent), minus_(minus) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || key->key() == Qt::Key_Backspace || (key->modifiers() & Qt::ControlModifier))
            return false;
        if (!text.at(0).isPrint()) return false;  // Return, Tab, Escape: not typed into the field
        const QChar c = text.at(0);
        const bool allowed = (c >= '0' && c <= '9') || c == '.' || (minus_ && c == '-');
        return !allowed || text.size() != 1;
    }

  private:
    bool minus_;
};

}  // namespace

void InstallNumberKeyFilter(QLineEdit* field, bool minus) {
    field->installEventFilter(new NumberKeyFilter(field, minus));
}

QLineEdit* NumberField(QWidget* parent, const char* name, const QString& text, QLabel* label, bool minus) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    InstallNumberKeyFilter(field, minus);
    if (label) {
        label->setBuddy(field);
        field->setAccessibleName(label->text().trimmed());
    }
    return field;
}

void ShowEffects(QWidget* parent, const ConfigEffects& fx) {
    if (!fx.message.empty()) AppDialogs().showMessage(parent, Translated(fx.message));
}

}  // namespace lxv
