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
#include "platform/translation.h"

namespace lxv {

TAlarmForm::TAlarmForm(AlarmControl& control, QWidget* parent) : QDialog(parent), control_(control) {
    setObjectName("AlarmForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "报警值设定"));
    setModal(true);

    auto* grid = new QGridLayout;
    const char* rows[4] = {QT_TRANSLATE_NOOP("lxv", "电压： "), QT_TRANSLATE_NOOP("lxv", "电流： "),
                           QT_TRANSLATE_NOOP("lxv", "功率： "), QT_TRANSLATE_NOOP("lxv", "PF： ")};
    const char* columns[2] = {QT_TRANSLATE_NOOP("lxv", "上限值： "), QT_TRANSLATE_NOOP("lxv", "下限值： ")};
    // A field is named by its row and column ("电压 上限值"), its box by the same and "开启".
    const char* names[8] = {QT_TRANSLATE_NOOP("lxv", "电压 上限值"), QT_TRANSLATE_NOOP("lxv", "电压 下限值"),
                            QT_TRANSLATE_NOOP("lxv", "电流 上限值"), QT_TRANSLATE_NOOP("lxv", "电流 下限值"),
                            QT_TRANSLATE_NOOP("lxv", "功率 上限值"), QT_TRANSLATE_NOOP("lxv", "功率 下限值"),
                            QT_TRANSLATE_NOOP("lxv", "PF 上限值"),   QT_TRANSLATE_NOOP("lxv", "PF 下限值")};
    const auto label = [this](const char* text) {
        auto* l = new QLabel(this);
        texts_->text(l, text);
        return l;
    };
    for (int c = 0; c < 2; ++c) grid->addWidget(label(columns[c]), 0, 1 + 2 * c);
    for (int r = 0; r < 4; ++r) {
        grid->addWidget(label(rows[r]), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            const int n = 2 * r + c;
            auto* edit =
                NumberField(this, "", QString::fromStdString(control_.fields.limits[n]), nullptr, false);
            edit->setObjectName(QString("Edit%1").arg(n + 1));
            texts_->accessibleName(edit, names[n]);
            auto* box = new QCheckBox(this);
            box->setObjectName(QString("CheckBox%1").arg(n + 1));
            texts_->text(box, QT_TRANSLATE_NOOP("lxv", "开启"));
            texts_->accessibleName(box, UiText(QT_TRANSLATE_NOOP("lxv", "%1 开启")).argText(names[n]));
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
    Label7->setWordWrap(true);  // a long status reads in full within the window
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    texts_->text(Button1, QT_TRANSLATE_NOOP("lxv", "保存到仪器"));
    Button3 = new QPushButton(this);
    Button3->setObjectName("Button3");
    texts_->text(Button3, QT_TRANSLATE_NOOP("lxv", "读仪器数据"));
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    texts_->text(Button2, QT_TRANSLATE_NOOP("lxv", "退出"));
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
    control_.setMessageHandler([self = QPointer<TAlarmForm>(this)](const UiText& text) {
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
    texts_->text(Label7, control_.label7Text());
    Button1->setEnabled(!control_.busy());
    Button3->setEnabled(!control_.busy());
    Label7->repaint();  // shown at once, as each step of the chain is taken
}

}  // namespace lxv
