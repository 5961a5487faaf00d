#include "platform/accessible_value.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include "platform/translation.h"

namespace lxv {

namespace {

constexpr char kCaptionProperty[] = "lxvValueCaption";

// A value label as a screen reader sees it: static text named "caption: value".
class ValueLabelAccessible : public QAccessibleWidget {
  public:
    explicit ValueLabelAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const auto* label = static_cast<const QLabel*>(widget());
        const QString caption = label->property(kCaptionProperty).toString();
        const QString value = label->text().trimmed();
        return value.isEmpty() ? caption : caption + ": " + value;
    }
};

QAccessibleInterface* ValueLabelFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel") || !object || !object->property(kCaptionProperty).isValid())
        return nullptr;
    return new ValueLabelAccessible(static_cast<QLabel*>(object));
}

}  // namespace

void SetValueCaption(QLabel* label, const QString& caption) {
    static const bool installed = [] {
        QAccessible::installFactory(ValueLabelFactory);
        return true;
    }();
    (void)installed;
    label->setProperty(kCaptionProperty, caption);
    // A screen reader that is already listening may have been given the plain
    // label's interface when the label got its first text: replace it.
    QAccessibleInterface* known = QAccessible::queryAccessibleInterface(label);
    if (known && !dynamic_cast<ValueLabelAccessible*>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NameToolBarExtension(QToolBar* bar) {
    if (auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button"))
        more->setAccessibleName(Translated(QT_TRANSLATE_NOOP("lxv", "More tool buttons")));
}

}  // namespace lxv
