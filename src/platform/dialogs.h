// Modal messages, questions and file dialogs, behind one interface so that
// window tests answer them instead of a person.
#pragma once

#include <QString>

class QWidget;

namespace lxv {

// The answers to a failure that can be tried again, given up on, or stepped back from.
enum class RetryAnswer { Retry, Discard, Cancel };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;  // information, "OK"
    virtual void showError(QWidget* parent, const QString& text) = 0;    // an error, "OK"
    // Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A failure that the user may try again: true for "Retry", false for "Quit anyway".
    virtual bool askRetryOrQuit(QWidget* parent, const QString& caption, const QString& text) {
        return askYesNo(parent, caption, text);
    }
    // A failure the user may try again ("Retry"), accept by giving up what it
    // holds (`discard`, the button's text), or step back from ("Cancel").
    virtual RetryAnswer askRetryDiscardOrCancel(QWidget* parent, const QString& caption, const QString& text,
                                                const QString& discard) {
        (void)discard;
        return askRetryOrQuit(parent, caption, text) ? RetryAnswer::Retry : RetryAnswer::Cancel;
    }
    // Empty when cancelled. Filters in the program's "Name|*.ext|Name|*.*" form.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& proposedName) = 0;
};

// The dialogs in use: real Qt dialogs unless a test installed others.
Dialogs& AppDialogs();
void SetAppDialogs(Dialogs* dialogs);  // nullptr restores the Qt dialogs

// True when message boxes can be seen: not on Qt's offscreen or minimal platform.
bool HasDisplay();

// "Tavro Test File(.lxm)|*.lxm" -> "Tavro Test File(.lxm) (*.lxm)" for Qt's dialogs.
QString QtFilterFromPipes(const QString& filter);

}  // namespace lxv
