// What a screen reader reads of the program's labels and tool bars, beyond
// what Qt gives it: a label that shows a value under a caption that is not its
// buddy is read as "caption: value", whoever changed its text; a tool bar's
// button for the tools that do not fit has a name.
#pragma once

class QLabel;
class QString;
class QToolBar;

namespace lxv {

// From now on `label` is read as "<caption>: <its text>" (the caption alone
// while the text is empty). Calling it again changes the caption.
void SetValueCaption(QLabel* label, const QString& caption);

// Names the button a tool bar shows when its buttons do not all fit.
void NameToolBarExtension(QToolBar* bar);

}  // namespace lxv
