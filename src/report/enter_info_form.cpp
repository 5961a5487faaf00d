#include "report/enter_info_form.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "report/report_info.h"

namespace lxv {

TEnterInfoForm::TEnterInfoForm(IniFile& enterInfo, QWidget* parent) : QDialog(parent), file_(enterInfo) {
    setObjectName("EnterInfoForm");
    setWindowTitle(QT_TRANSLATE_NOOP("lxv", "Enter the print information"));

    static const char* const kLabels[5] = {
        QT_TRANSLATE_NOOP("lxv", "Project Name:"), QT_TRANSLATE_NOOP("lxv", "Testing organization:"),
        QT_TRANSLATE_NOOP("lxv", "Test by:"), QT_TRANSLATE_NOOP("lxv", "Date:"),
        QT_TRANSLATE_NOOP("lxv", "Temperature:")};
    // A field is named by its label without the colon.
    static const char* const kNames[5] = {
        QT_TRANSLATE_NOOP("lxv", "Project Name"), QT_TRANSLATE_NOOP("lxv", "Testing organization"),
        QT_TRANSLATE_NOOP("lxv", "Test by"), QT_TRANSLATE_NOOP("lxv", "Date"),
        QT_TRANSLATE_NOOP("lxv", "Temperature")};
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        edits_[i] = new QLineEdit(this);
        edits_[i]->setObjectName(QString("Edit%1").arg(i + 1));
        auto* label = new QLabel(kLabels[i], this);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setBuddy(edits_[i]);
        edits_[i]->setAccessibleName(kNames[i]);
        if (i < 4) form->addRow(label, edits_[i]);
    }
    celsius_ = new QRadioButton("\u2103", this);
    celsius_->setObjectName("RadioButton1");
    celsius_->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Degrees Celsius"));
    celsius_->setChecked(true);  // the window's own start choice
    fahrenheit_ = new QRadioButton("F", this);
    fahrenheit_->setObjectName("RadioButton2");
    fahrenheit_->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Degrees Fahrenheit"));
    auto* temperature = new QHBoxLayout;
    temperature->addWidget(edits_[4]);
    temperature->addWidget(celsius_);
    temperature->addWidget(fahrenheit_);
    form->addRow(findChild<QLabel*>("Label5"), temperature);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* const kButtons[3] = {QT_TRANSLATE_NOOP("lxv", "Enter"), QT_TRANSLATE_NOOP("lxv", "Cancel"),
                                     QT_TRANSLATE_NOOP("lxv", "Exit")};
    void (TEnterInfoForm::*const kHandlers[3])() = {
        &TEnterInfoForm::Button1Click, &TEnterInfoForm::Button2Click, &TEnterInfoForm::Button3Click};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(kButtons[i], this);
        button->setObjectName(QString("Button%1").arg(i + 1));
        button->setAutoDefault(false);
        button->setDefault(i == 0);  // Return stores; Escape closes as "Cancel" does
        connect(button, &QPushButton::clicked, this, kHandlers[i]);
        buttons->addWidget(button);
    }
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addLayout(buttons);
    // Every text above in the language in use.
    (new ShownTexts(this))->adopt(this);
}

void TEnterInfoForm::FormCreate() {
    edits_[0]->setText(QString::fromStdString(file_.readString(kPrintInfoSection, "ProjectName", "2")));
    edits_[1]->setText(QString::fromStdString(file_.readString(kPrintInfoSection, "company", "2")));
    edits_[2]->setText(QString::fromStdString(file_.readString(kPrintInfoSection, "conner", "2")));
    edits_[4]->setText(QString::fromStdString(file_.readString(kPrintInfoSection, "temperature", "2")));
    edits_[3]->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    try {
        (file_.readInteger(kPrintInfoSection, "units", 2) == 1 ? celsius_ : fahrenheit_)->setChecked(true);
    } catch (const ConversionError& e) {
        AppDialogs().showError(this, Translated(e.text()));
    }
}

void TEnterInfoForm::Button1Click() {
    ReportInfo info;
    info.projectName = edits_[0]->text().toStdString();
    info.company = edits_[1]->text().toStdString();
    info.conner = edits_[2]->text().toStdString();
    info.date = edits_[3]->text().toStdString();
    info.temperature = edits_[4]->text().toStdString();
    // A failed write is told by the file's failure handler, with the system's reason.
    WriteReportInfo(file_, info, celsius_->isChecked());
    if (stored_) stored_();
    hide();
}

void TEnterInfoForm::Button2Click() {
    hide();
}

void TEnterInfoForm::Button3Click() {
    hide();
}

}  // namespace lxv
