#include "instrument/calibrate_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>

#include "instrument/calibrate_control.h"
#include "instrument/form_support.h"
#include "platform/accessible_value.h"
#include "platform/translation.h"

namespace lxv {

namespace {
QString U(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

TCalibrateForm::TCalibrateForm(CalibrateControl& control, MeasureCommands commands, bool showTemperature,
                               QWidget* parent)
    : QDialog(parent), control_(control), commands_(std::move(commands)) {
    setObjectName("CalibrateForm");
    setWindowTitle(QT_TRANSLATE_NOOP("lxv", "CalibrateForm"));
    setModal(false);
    using C = CalibrateControl;
    C& c = control_;

    // "电压": the applied voltage and its quick values.
    auto* voltage = new QGroupBox(U(QT_TRANSLATE_NOOP("lxv", "电压")), this);
    auto* vGrid = new QGridLayout(voltage);
    QLabel* vLabel = nullptr;
    Edit1 = field("Edit1", QT_TRANSLATE_NOOP("lxv", "电压：  "), vLabel);
    vGrid->addWidget(vLabel, 0, 0);
    vGrid->addWidget(Edit1, 0, 1);
    QPushButton* calibrateVoltage =
        button("SeSkinButton1", U(QT_TRANSLATE_NOOP("lxv", "校准")), [&c] { return c.CalibrateVoltage(); });
    calibrateVoltage->setAccessibleName(U(QT_TRANSLATE_NOOP("lxv", "电压 校准")));
    vGrid->addWidget(calibrateVoltage, 0, 2);
    const std::pair<const char*, const char*> quickVolts[] = {{"SeSkinButton32", "320"},
                                                              {"SeSkinButton9", "220"},
                                                              {"SeSkinButton10", "110"},
                                                              {"SeSkinButton11", "55"},
                                                              {"SeSkinButton12", "15"}};
    int col = 0;
    for (const auto& [name, value] : quickVolts)
        vGrid->addWidget(button(name, value,
                                [&c, v = std::string(value)] {
                                    c.fields.voltage = v;
                                    return c.CalibrateVoltage();
                                }),
                         1, col++);
    Label8 = new QLabel("0", voltage);
    Label8->setObjectName("Label8");
    auto* l8 = new QLabel(U(QT_TRANSLATE_NOOP("lxv", "实测相位： ")), voltage);
    l8->setBuddy(Label8);
    // Both captions read "实测相位： ": the value captions tell them apart (below).
    vGrid->addWidget(l8, 2, 0);
    vGrid->addWidget(Label8, 2, 1);

    // " 电流相位校准 ": the applied current, bandwidth and range, and the phase rows.
    auto* current = new QGroupBox(U(QT_TRANSLATE_NOOP("lxv", " 电流相位校准 ")), this);
    auto* iGrid = new QGridLayout(current);
    QLabel* iLabel = nullptr;
    Edit2 = field("Edit2", QT_TRANSLATE_NOOP("lxv", "电流：  "), iLabel);
    iGrid->addWidget(new QLabel(U(QT_TRANSLATE_NOOP("lxv", "幅度校准：    ")), current), 0, 0);
    iGrid->addWidget(iLabel, 1, 0);
    iGrid->addWidget(Edit2, 1, 1);
    QPushButton* calibrateCurrent =
        button("SeSkinButton2", U(QT_TRANSLATE_NOOP("lxv", "校准")), [&c] { return c.CalibrateCurrent(); });
    calibrateCurrent->setAccessibleName(U(QT_TRANSLATE_NOOP("lxv", "电流 校准")));
    iGrid->addWidget(calibrateCurrent, 1, 2);
    const std::pair<const char*, const char*> quickAmps[] = {
        {"SeSkinButton13", "8"},    {"SeSkinButton33", "5"},   {"SeSkinButton14", "3"},
        {"SeSkinButton34", "2"},    {"SeSkinButton15", "1"},   {"SeSkinButton16", "0.5"},
        {"SeSkinButton24", "0.25"}, {"SeSkinButton25", "0.1"}, {"SeSkinButton26", "0.05"},
        {"SeSkinButton31", "0.02"}};
    auto* quick = new QGridLayout;
    for (int k = 0; k < 10; ++k) {
        const auto& [name, value] = quickAmps[k];
        quick->addWidget(button(name, QString(value) + "A",
                                [&c, v = std::string(value)] {
                                    c.fields.current = v;
                                    return c.CalibrateCurrent();
                                }),
                         k / 5, k % 5);
    }
    iGrid->addLayout(quick, 2, 0, 1, 4);
    Label9 = new QLabel("0", current);
    Label9->setObjectName("Label9");
    auto* l9 = new QLabel(U(QT_TRANSLATE_NOOP("lxv", "实测相位： ")), current);
    l9->setBuddy(Label9);
    iGrid->addWidget(l9, 3, 0);
    iGrid->addWidget(Label9, 3, 1);
    iGrid->addWidget(
        button("SeSkinButton3", U(QT_TRANSLATE_NOOP("lxv", "窄频")), [&c] { return c.Bandwidth(0); }), 4, 0);
    iGrid->addWidget(
        button("SeSkinButton4", U(QT_TRANSLATE_NOOP("lxv", "宽频")), [&c] { return c.Bandwidth(1); }), 4, 1);
    const char* ranges[4] = {QT_TRANSLATE_NOOP("lxv", "第一档"), QT_TRANSLATE_NOOP("lxv", "第二档"),
                             QT_TRANSLATE_NOOP("lxv", "第三档"), QT_TRANSLATE_NOOP("lxv", "第四档")};
    for (int r = 0; r < 4; ++r)
        iGrid->addWidget(button(QString("SeSkinButton%1").arg(20 + r).toUtf8().constData(), U(ranges[r]),
                                [&c, r] { return c.Range(r + 1); }),
                         5, r);
    iGrid->addWidget(new QLabel(U(QT_TRANSLATE_NOOP("lxv", "相位校准：    ")), current), 6, 0);
    struct Row {
        QLineEdit*& edit;
        const char* name;
        const char* label;
        PhaseRow row;
        const char* write;
        const char* read;
        const char* nudges[4];
        const char* writeName;  // how a screen reader names the row's buttons ("窄频 写")
        const char* readName;
        const char* nudgeNames[4];
    };
    const Row rows[] = {
        {Edit7,
         "Edit7",
         QT_TRANSLATE_NOOP("lxv", "窄频： "),
         PhaseRow::Narrow,
         "Button2",
         "Button8",
         {"SeSkinButton41", "SeSkinButton47", "SeSkinButton28", "SeSkinButton27"},
         QT_TRANSLATE_NOOP("lxv", "窄频 写"),
         QT_TRANSLATE_NOOP("lxv", "窄频 读"),
         {QT_TRANSLATE_NOOP("lxv", "窄频 -0.1"), QT_TRANSLATE_NOOP("lxv", "窄频 +0.1"),
          QT_TRANSLATE_NOOP("lxv", "窄频 -0.01"), QT_TRANSLATE_NOOP("lxv", "窄频 +0.01")}},
        {Edit8,
         "Edit8",
         QT_TRANSLATE_NOOP("lxv", "宽频： "),
         PhaseRow::Broad,
         "Button3",
         "Button9",
         {"SeSkinButton42", "SeSkinButton48", "SeSkinButton29", "SeSkinButton30"},
         QT_TRANSLATE_NOOP("lxv", "宽频 写"),
         QT_TRANSLATE_NOOP("lxv", "宽频 读"),
         {QT_TRANSLATE_NOOP("lxv", "宽频 -0.1"), QT_TRANSLATE_NOOP("lxv", "宽频 +0.1"),
          QT_TRANSLATE_NOOP("lxv", "宽频 -0.01"), QT_TRANSLATE_NOOP("lxv", "宽频 +0.01")}},
    };
    const std::pair<const char*, double> nudges[4] = {
        {"-0.1", -0.1}, {"+0.1", 0.1}, {"-0.01", -0.01}, {"+0.01", 0.01}};
    int line = 7;
    for (const Row& row : rows) {
        QLabel* label = nullptr;
        row.edit = field(row.name, row.label, label);
        const PhaseRow which = row.row;
        iGrid->addWidget(label, line, 0);
        iGrid->addWidget(row.edit, line, 1);
        QPushButton* write =
            button(row.write, U(QT_TRANSLATE_NOOP("lxv", "写")), [&c, which] { return c.WritePhase(which); });
        QPushButton* read =
            button(row.read, U(QT_TRANSLATE_NOOP("lxv", "读")), [&c, which] { return c.ReadPhase(which); });
        write->setAccessibleName(U(row.writeName));
        read->setAccessibleName(U(row.readName));
        iGrid->addWidget(write, line, 2);
        iGrid->addWidget(read, line, 3);
        for (int k = 0; k < 4; ++k) {
            QPushButton* b = button(row.nudges[k], nudges[k].first,
                                    [&c, which, d = nudges[k].second] { return c.Nudge(which, d); });
            b->setAccessibleName(U(row.nudgeNames[k]));
            iGrid->addWidget(b, line + 1, k);
        }
        line += 2;
    }
    iGrid->addWidget(button("SeSkinButton35", "+1.3", [&c] { return c.PlusOnePointThree(); }), 7, 4);
    CheckBox1 = new QCheckBox(U(QT_TRANSLATE_NOOP("lxv", "角度转时间(PLQ4400专用）  ")), current);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(true);
    CheckBox1->setEnabled(false);
    iGrid->addWidget(CheckBox1, line, 0, 1, 4);

    // "温度选项": hidden unless in service mode.
    temperature_ = new QGroupBox(U(QT_TRANSLATE_NOOP("lxv", "温度选项")), this);
    temperature_->setObjectName("TemperatureGroup");
    auto* tRow = new QHBoxLayout(temperature_);
    const char* commandsText[4] = {QT_TRANSLATE_NOOP("lxv", "校准常温"), QT_TRANSLATE_NOOP("lxv", "校准低温"),
                                   QT_TRANSLATE_NOOP("lxv", "关闭温度补偿"),
                                   QT_TRANSLATE_NOOP("lxv", "开启温度补偿")};
    for (int k = 0; k < 4; ++k)
        tRow->addWidget(button(QString("SeSkinButton%1").arg(5 + k).toUtf8().constData(), U(commandsText[k]),
                               [&c, k] { return c.Temperature(static_cast<std::uint8_t>(k)); }));
    temperature_->setVisible(showTemperature);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(button("Button1", U(QT_TRANSLATE_NOOP("lxv", "开锁")), [&c] { return c.Unlock(); }));
    bottom->addWidget(
        button("Button4", U(QT_TRANSLATE_NOOP("lxv", "恢复出厂")), [&c] { return c.Factory(); }));
    const std::pair<const char*, const char*> measure[3] = {
        {"SeSkinButton17", QT_TRANSLATE_NOOP("lxv", "单次测试")},
        {"SeSkinButton18", QT_TRANSLATE_NOOP("lxv", "连续测试")},
        {"SeSkinButton19", QT_TRANSLATE_NOOP("lxv", "停止")}};
    std::function<void()>* runs[3] = {&commands_.single, &commands_.continuous, &commands_.stop};
    for (int k = 0; k < 3; ++k)
        bottom->addWidget(button(measure[k].first, U(measure[k].second), [run = runs[k]] {
            if (*run) (*run)();
            return ConfigEffects{};
        }));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    // Every text above in the language in use; the measured phases and the status are the controller's.
    texts_ = new ShownTexts(this);
    texts_->adopt(this, {Label8, Label9, StatusBar1});
    texts_->valueCaption(Label8, QT_TRANSLATE_NOOP("lxv", "电压 实测相位"));
    texts_->valueCaption(Label9, QT_TRANSLATE_NOOP("lxv", "电流 实测相位"));
    // The fields are named by their captions without the colon.
    texts_->accessibleName(Edit1, QT_TRANSLATE_NOOP("lxv", "电压"));
    texts_->accessibleName(Edit2, QT_TRANSLATE_NOOP("lxv", "电流"));
    texts_->accessibleName(Edit7, QT_TRANSLATE_NOOP("lxv", "窄频"));
    texts_->accessibleName(Edit8, QT_TRANSLATE_NOOP("lxv", "宽频"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(voltage);
    layout->addWidget(current);
    layout->addWidget(temperature_);
    layout->addLayout(bottom);
    layout->addWidget(StatusBar1);

    // Any change counts (keys, paste, a screen reader), so a refresh keeps what the user typed.
    for (QLineEdit* edit : {Edit1, Edit2, Edit7, Edit8})
        connect(edit, &QLineEdit::textChanged, this, [this] { takeFields(); });
    // The window may go before its controller (tests make several).
    control_.addChangedHandler([self = QPointer<TCalibrateForm>(this)] {
        if (self) self->showState();
    });
    showState();
}

QPushButton* TCalibrateForm::button(const char* name, const QString& caption,
                                    std::function<ConfigEffects()> action) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, [this, action] {
        takeFields();
        const ConfigEffects fx = action();
        showState();
        ShowEffects(this, fx);
    });
    return b;
}

QLineEdit* TCalibrateForm::field(const char* name, const char* label, QLabel*& caption) {
    caption = new QLabel(U(label), this);
    return NumberField(this, name, "0", caption, false);
}

void TCalibrateForm::takeFields() {
    if (showing_) return;
    control_.fields.voltage = Edit1->text().toStdString();
    control_.fields.current = Edit2->text().toStdString();
    control_.fields.phase = {Edit7->text().toStdString(), Edit8->text().toStdString()};
}

void TCalibrateForm::showState() {
    const CalibrateFields& f = control_.fields;
    showing_ = true;
    const std::pair<QLineEdit*, const std::string*> edits[4] = {
        {Edit1, &f.voltage}, {Edit2, &f.current}, {Edit7, &f.phase[0]}, {Edit8, &f.phase[1]}};
    for (const auto& [edit, text] : edits)
        if (edit->text().toStdString() != *text) edit->setText(QString::fromStdString(*text));
    showing_ = false;
    Label8->setText(QString::fromStdString(f.label8));
    Label9->setText(QString::fromStdString(f.label9));
    const UiText status = control_.statusText();
    texts_->refresh(StatusBar1, 100, [this, status] { StatusBar1->showMessage(Translated(status)); });
}

}  // namespace lxv
