#include "instrument/alarm_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "instrument/alarm_control.h"
#include "instrument/form_support.h"

namespace lxv {

TAlarmForm::TAlarmForm(AlarmControl& control, QWidget* parent) : QDialog(parent), control_(control) {
    setObjectName("AlarmForm");
    setWindowTitle(QString::fromUtf8("报警值设定"));
    setModal(true);

    auto* grid = new QGridLayout;
    const char* rows[4] = {"电压： ", "电流： ", "功率： ", "PF： "};
    const char* columns[2] = {"上限值： ", "下限值： "};
    for (int c = 0; c < 2; ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(columns[c]), this), 0, 1 + 2 * c);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(new QLabel(QString::fromUtf8(rows[r]), this), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            const int n = 2 * r + c;
            const QString name = QString::fromUtf8(rows[r]).remove("：").trimmed() + " " +
                                 QString::fromUtf8(columns[c]).remove("：").trimmed();
            auto* edit =
                NumberField(this, "", QString::fromStdString(control_.fields.limits[n]), nullptr, false);
            edit->setObjectName(QString("Edit%1").arg(n + 1));
            edit->setAccessibleName(name);
            auto* box = new QCheckBox(QString::fromUtf8("开启"), this);
            box->setObjectName(QString("CheckBox%1").arg(n + 1));
            box->setAccessibleName(name + QString::fromUtf8(" 开启"));
            grid->addWidget(edit, r + 1, 1 + 2 * c);
            grid->addWidget(box, r + 1, 2 + 2 * c);
            edits_[n] = edit;
            checkBoxes_[n] = box;
            // Any change counts (keys, paste, a screen reader), so a refresh keeps what the user set.
            connect(edit, &QLineEdit::textChanged, this, [this] { takeFields(); });
            connect(box, &QCheckBox::toggled, this, [this] { takeFields(); });
        }
    }
    Label7 = new QLabel(this);
    Label7->setObjectName("Label7");
    Label7->setStyleSheet("color: red");
    Button1 = new QPushButton(QString::fromUtf8("保存到仪器"), this);
    Button1->setObjectName("Button1");
    Button3 = new QPushButton(QString::fromUtf8("读仪器数据"), this);
    Button3->setObjectName("Button3");
    Button2 = new QPushButton(QString::fromUtf8("退出"), this);
    Button2->setObjectName("Button2");
    connect(Button1, &QPushButton::clicked, this, &TAlarmForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TAlarmForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TAlarmForm::Button3Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Label7);
    layout->addLayout(buttons);

    // The window may go before its controller (tests make several).
    control_.addChangedHandler([self = QPointer<TAlarmForm>(this)] {
        if (self) self->showState();
    });
    // Shown after the reply that asked for it has been handled.
    control_.setMessageHandler([self = QPointer<TAlarmForm>(this)](const std::string& text) {
        if (!self) return;
        QTimer::singleShot(0, self.data(), [self, text] { ShowEffects(self, {text}); });
    });
    showState();
}

void TAlarmForm::Open() {
    const ConfigEffects fx = control_.Open();
    ShowEffects(parentWidget(), fx);
    show();
    raise();
    activateWindow();
}

void TAlarmForm::Button1Click() {
    takeFields();
    ShowEffects(this, control_.Save());
}

void TAlarmForm::Button2Click() {
    close();
}

void TAlarmForm::Button3Click() {
    ShowEffects(this, control_.Read());
}

void TAlarmForm::takeFields() {
    if (showing_) return;
    for (int n = 0; n < 8; ++n) {
        control_.fields.limits[n] = edits_[n]->text().toStdString();
        control_.fields.enabled[n] = checkBoxes_[n]->isChecked();
    }
}

void TAlarmForm::showState() {
    showing_ = true;
    for (int n = 0; n < 8; ++n) {
        const QString text = QString::fromStdString(control_.fields.limits[n]);
        if (edits_[n]->text() != text) edits_[n]->setText(text);
        checkBoxes_[n]->setChecked(control_.fields.enabled[n]);
    }
    showing_ = false;
    Label7->setText(QString::fromStdString(control_.label7()));
    Button1->setEnabled(!control_.busy());
    Button3->setEnabled(!control_.busy());
    Label7->repaint();  // shown at once, as each step of the chain is taken
}

}  // namespace lxv
