// Message boxes, file dialogs and the desktop shell for tests: what the program
// shows is recorded, questions get the answer the test sets.
#pragma once

#include <QList>
#include <QStringList>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace lxv::test {

class FakeDialogs : public Dialogs {
  public:
    QStringList messages, errors, questions;
    QStringList shown;  // both kinds in order: "info: ..." or "error: ..."
    bool answerYes = true;
    QString openPath, savePath;
    QString lastFilter, lastProposedName;

    void showMessage(QWidget*, const QString& text) override {
        messages << text;
        shown << "info: " + text;
    }
    void showError(QWidget*, const QString& text) override {
        errors << text;
        shown << "error: " + text;
    }
    bool askYesNo(QWidget*, const QString& caption, const QString& text) override {
        questions << caption + "|" + text;
        return answerYes;
    }
    // Answers "Retry" while retries remain, then "Quit anyway".
    int retries = 0;
    bool askRetryOrQuit(QWidget*, const QString& caption, const QString& text) override {
        questions << caption + "|" + text;
        return retries-- > 0;
    }
    // Answers in this order, then "Cancel".
    QList<RetryAnswer> retryAnswers;
    RetryAnswer askRetryDiscardOrCancel(QWidget*, const QString& caption, const QString& text,
                                        const QString& discard) override {
        questions << caption + "|" + text + "|" + discard;
        return retryAnswers.isEmpty() ? RetryAnswer::Cancel : retryAnswers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& filter) override {
        lastFilter = filter;
        return openPath;
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& proposed) override {
        lastFilter = filter;
        lastProposedName = proposed;
        return savePath;
    }
    void clear() {
        messages.clear();
        errors.clear();
        questions.clear();
        shown.clear();
    }
};

class FakeShell : public Shell {
  public:
    QStringList documents, urls;
    bool openDocument(const QString& path) override {
        documents << path;
        return true;
    }
    bool openUrl(const QString& url) override {
        urls << url;
        return true;
    }
};

}  // namespace lxv::test
