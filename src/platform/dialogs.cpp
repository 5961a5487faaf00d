#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include "platform/translation.h"

namespace lxv {

namespace {

// The program's texts break lines with "\r"; Qt's message boxes want "\n".
QString WithLineBreaks(QString text) {
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

class QtDialogs : public Dialogs {
  public:
    void showMessage(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QApplication::applicationName(), WithLineBreaks(text));
    }
    void showError(QWidget* parent, const QString& text) override {
        QMessageBox::critical(parent, QApplication::applicationName(), WithLineBreaks(text));
    }
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text) override {
        return QMessageBox::question(parent, caption, WithLineBreaks(text),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    bool askRetryOrQuit(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, caption, WithLineBreaks(text), QMessageBox::NoButton, parent);
        QPushButton* retry = box.addButton(QMessageBox::Retry);
        box.addButton(Translated(QT_TRANSLATE_NOOP("lxv", "Quit anyway")), QMessageBox::DestructiveRole);
        box.setDefaultButton(retry);
        box.exec();
        return box.clickedButton() == retry;
    }
    RetryAnswer askRetryDiscardOrCancel(QWidget* parent, const QString& caption, const QString& text,
                                        const QString& discard) override {
        QMessageBox box(QMessageBox::Warning, caption, WithLineBreaks(text), QMessageBox::NoButton, parent);
        QPushButton* retry = box.addButton(QMessageBox::Retry);
        QPushButton* give = box.addButton(discard, QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(retry);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == retry) return RetryAnswer::Retry;
        return box.clickedButton() == give ? RetryAnswer::Discard : RetryAnswer::Cancel;
    }
    QString openFileName(QWidget* parent, const QString& filter) override {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), QtFilterFromPipes(filter));
    }
    QString saveFileName(QWidget* parent, const QString& filter, const QString& proposedName) override {
        // No overwrite prompt here: the caller asks its own question.
        return QFileDialog::getSaveFileName(parent, QString(), proposedName, QtFilterFromPipes(filter),
                                            nullptr, QFileDialog::DontConfirmOverwrite);
    }
};

Dialogs*& Installed() {
    static Dialogs* installed = nullptr;
    return installed;
}

}  // namespace

Dialogs& AppDialogs() {
    static QtDialogs qt;
    return Installed() ? *Installed() : qt;
}

void SetAppDialogs(Dialogs* dialogs) {
    Installed() = dialogs;
}

bool HasDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

QString QtFilterFromPipes(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
    return out.join(";;");
}

}  // namespace lxv
