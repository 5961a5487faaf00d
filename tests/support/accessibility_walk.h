// The accessibility walk: goes through the tree of accessible interfaces under
// a widget as a screen reader does over the bus, hidden and disabled controls
// included (a reader lists them too), and finds
//  - controls that a screen reader could not name: no accessible name, no text
//    of their own and no label tied to them (a QLabel whose buddy they are);
//  - labels and status bars that show a value but hide it: what they are read
//    as does not contain the text they show. A label without a letter or digit
//    (an arrow, a pen picture) shows no value.
// A combo box's pop-up list and the items of a list or table are named through
// their owner and are left out.
#pragma once

#include <QAccessible>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QStringList>
#include <QTextDocument>
#include <QWidget>
#include <functional>

namespace lxv::test {

inline bool NeedsName(QAccessible::Role role) {
    using R = QAccessible::Role;
    static const QSet<R> kControls = {R::PushButton,   R::CheckBox, R::RadioButton, R::ComboBox,
                                      R::EditableText, R::SpinBox,  R::Slider,      R::ScrollBar,
                                      R::ProgressBar,  R::Dial,     R::List,        R::Table,
                                      R::Tree,         R::PageTab,  R::ButtonMenu,  R::ButtonDropDown,
                                      R::MenuItem,     R::Link,     R::Grip};
    return kControls.contains(role);
}

// Every interface under `root` (root included), the parts named through their owner left out.
inline void WalkAccessible(QAccessibleInterface* node,
                           const std::function<void(QAccessibleInterface*)>& visit, int depth = 0) {
    if (!node || !node->isValid() || depth > 64) return;
    visit(node);
    const QAccessible::Role role = node->role();
    if (role == QAccessible::ComboBox || role == QAccessible::List || role == QAccessible::Table ||
        role == QAccessible::Tree)
        return;
    for (int i = 0; i < node->childCount(); ++i) WalkAccessible(node->child(i), visit, depth + 1);
}

inline QString Describe(QAccessibleInterface* node) {
    const QObject* o = node->object();
    return o ? QString("%1 %2").arg(o->metaObject()->className(), o->objectName()) : QString("?");
}

inline bool HasName(QAccessibleInterface* node) {
    if (!node->text(QAccessible::Name).trimmed().isEmpty()) return true;
    // On Linux a combo box is read by its current text; its own name still counts.
    if (const auto* w = qobject_cast<const QWidget*>(node->object()))
        if (!w->accessibleName().trimmed().isEmpty()) return true;
    for (const auto& relation : node->relations(QAccessible::Label))
        if (relation.first && !relation.first->text(QAccessible::Name).trimmed().isEmpty()) return true;
    return false;
}

// "Class objectName" of every control under `root` that a screen reader cannot name.
inline QStringList UnnamedControls(QWidget* root) {
    QStringList unnamed;
    WalkAccessible(QAccessible::queryAccessibleInterface(root), [&](QAccessibleInterface* node) {
        if (NeedsName(node->role()) && !HasName(node)) unnamed << Describe(node);
    });
    return unnamed;
}

// The text a label shows, as plain text without mnemonic marks.
inline QString ShownText(const QLabel* label) {
    QString text = label->text();
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    return text.remove('&').simplified();
}

// "Class objectName 'shown' read as 'name'" of every label and status bar under
// `root` whose accessible name does not contain the value it shows.
inline QStringList HiddenValues(QWidget* root) {
    QStringList hidden;
    WalkAccessible(QAccessible::queryAccessibleInterface(root), [&](QAccessibleInterface* node) {
        QString shown;
        if (const auto* label = qobject_cast<const QLabel*>(node->object()))
            shown = ShownText(label);
        else if (const auto* bar = qobject_cast<const QStatusBar*>(node->object()))
            shown = bar->currentMessage().simplified();
        if (!shown.contains(QRegularExpression("[\\p{L}\\p{N}]"))) return;
        const QString name = node->text(QAccessible::Name).remove('&').simplified();
        if (!name.contains(shown)) hidden << QString("%1 '%2' read as '%3'").arg(Describe(node), shown, name);
    });
    return hidden;
}

}  // namespace lxv::test
