// The accessible-name walk: finds the interactive controls of a widget tree
// that a screen reader could not name. A control is named by its accessible
// name, by its own text (buttons, check and radio boxes) or by a QLabel whose
// buddy it is. Only controls that are visible (when the root shows) and enabled
// count; the parts Qt builds inside a control (a combo box's line edit, a view's
// scroll bars and header, a tool bar's extension button) are named through
// their owner and are left out.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace lxv::test {

inline bool IsInteractive(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

// Parts of a Qt control, named through the control that holds them.
inline bool IsInnerPart(const QWidget* w) {
    if (w->objectName().startsWith("qt_")) return true;
    if (qobject_cast<const QHeaderView*>(w)) return true;
    for (const QObject* p = w->parent(); p; p = p->parent()) {
        if (p->objectName().startsWith("qt_scrollarea_")) return true;  // a scroll area's own scroll bars
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p)) return true;
    }
    return false;
}

inline bool HasName(const QWidget* w, const QList<QLabel*>& labels) {
    if (!w->accessibleName().trimmed().isEmpty()) return true;
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        if (!QString(button->text()).remove('&').trimmed().isEmpty()) return true;
    for (const QLabel* label : labels)
        if (label->buddy() == w && !label->text().remove('&').trimmed().isEmpty()) return true;
    return false;
}

// "Class objectName" of every unnamed interactive control under `root` (root included).
inline QStringList UnnamedControls(QWidget* root) {
    const QList<QLabel*> labels = root->findChildren<QLabel*>();
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    QStringList unnamed;
    for (QWidget* w : all) {
        if (!IsInteractive(w) || IsInnerPart(w)) continue;
        if (!(w == root || w->isVisibleTo(root)) || !w->isEnabled()) continue;
        if (!HasName(w, labels))
            unnamed << QString("%1 %2").arg(w->metaObject()->className(), w->objectName());
    }
    return unnamed;
}

}  // namespace lxv::test
