#include "instrument/external_ct_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "instrument/form_support.h"
#include "instrument/settings_control.h"
#include "platform/translation.h"

namespace lxv {

namespace {

QLabel* Caption(QWidget* parent, const char* text, const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    if (name) label->setObjectName(name);
    return label;
}

QComboBox* Selector(QWidget* parent, const char* name, const QStringList& items, QLabel* label) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    label->setBuddy(box);
    box->setAccessibleName(label->text().trimmed());
    return box;
}

// A radio group: a captioned box of exclusive buttons, ids 0.. in order.
QButtonGroup* RadioGroup(QWidget* parent, QGroupBox*& box, const char* name, const QString& caption,
                         const QStringList& items) {
    box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return group;
}

}  // namespace

TExternal_CT_form::TExternal_CT_form(SettingsControl& control, QWidget* parent)
    : QDialog(parent), control_(control) {
    setObjectName("External_CT_form");
    setWindowTitle(QT_TRANSLATE_NOOP("lxv", "Instrument settings"));
    setModal(false);

    auto* group1 = new QGroupBox(QT_TRANSLATE_NOOP("lxv", "External Current Transformer"), this);
    group1->setObjectName("GroupBox1");
    auto* grid1 = new QGridLayout(group1);
    auto* angleLabel = Caption(group1, QT_TRANSLATE_NOOP("lxv", "Angle difference  "));
    Edit1 = NumberField(group1, "Edit1", "0", angleLabel, true);
    auto* ratioLabel = Caption(group1, QT_TRANSLATE_NOOP("lxv", "Ratio    "));
    Edit3 = NumberField(group1, "Edit3", "1", ratioLabel, true);
    Edit3->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Current transformer ratio"));
    auto* frequencyLabel = Caption(group1, QT_TRANSLATE_NOOP("lxv", "Reference frequency "));
    ComboBox3 =
        Selector(group1, "ComboBox3",
                 {QT_TRANSLATE_NOOP("lxv", " 50 Hz "), QT_TRANSLATE_NOOP("lxv", " 60 Hz ")}, frequencyLabel);
    ComboBox3->setPlaceholderText(" 50Hz ");
    ComboBox3->setCurrentIndex(-1);
    grid1->addWidget(angleLabel, 0, 0);
    grid1->addWidget(Edit1, 0, 1);
    grid1->addWidget(Caption(group1, QT_TRANSLATE_NOOP("lxv", "Deg（±30）")), 0, 2);
    grid1->addWidget(ratioLabel, 1, 0);
    grid1->addWidget(Edit3, 1, 1);
    grid1->addWidget(frequencyLabel, 2, 0);
    grid1->addWidget(ComboBox3, 2, 1);
    for (const char* hint : {QT_TRANSLATE_NOOP("lxv", "When not connected to an external transformer, "),
                             QT_TRANSLATE_NOOP("lxv", "The input angle difference 0, fill 1 ratio.  ")}) {
        auto* label = Caption(group1, hint);
        label->setStyleSheet("color: red");
        grid1->addWidget(label, grid1->rowCount(), 0, 1, 3);
    }

    auto* group2 = new QGroupBox(QT_TRANSLATE_NOOP("lxv", "  External voltage transformer "), this);
    group2->setObjectName("GroupBox2");
    auto* grid2 = new QGridLayout(group2);
    auto* vtLabel = Caption(group2, QT_TRANSLATE_NOOP("lxv", "Ratio  "));
    Edit4 = NumberField(group2, "Edit4", "1", vtLabel, true);
    Edit4->setAccessibleName(QT_TRANSLATE_NOOP("lxv", "Voltage transformer ratio"));
    grid2->addWidget(vtLabel, 0, 0);
    grid2->addWidget(Edit4, 0, 1);

    QGroupBox* radioBox1 = nullptr;
    QGroupBox* radioBox2 = nullptr;
    RadioGroup1 =
        RadioGroup(this, radioBox1, "RadioGroup1", QT_TRANSLATE_NOOP("lxv", "Current Bandwidth "),
                   {QT_TRANSLATE_NOOP("lxv", " Narrowband"), QT_TRANSLATE_NOOP("lxv", " Broadband")});
    RadioGroup2 =
        RadioGroup(this, radioBox2, "RadioGroup2", QT_TRANSLATE_NOOP("lxv", " THD Algorithm"),
                   {QT_TRANSLATE_NOOP("lxv", "  %F  Fundamental"), QT_TRANSLATE_NOOP("lxv", "  %R  RMS")});

    auto* group3 = new QGroupBox(QT_TRANSLATE_NOOP("lxv", " Display filter "), this);
    group3->setObjectName("GroupBox3");
    auto* grid3 = new QGridLayout(group3);
    auto* filterLabel = Caption(group3, QT_TRANSLATE_NOOP("lxv", "Filter coefficient "));
    QStringList coefficients;
    for (int i = 1; i <= 10; ++i) coefficients << QString(" %1").arg(i);
    ComboBox1 = Selector(group3, "ComboBox1", coefficients, filterLabel);
    CheckBox1 = new QCheckBox(QT_TRANSLATE_NOOP("lxv", "Trun On filter"), group3);
    CheckBox1->setObjectName("CheckBox1");
    grid3->addWidget(filterLabel, 0, 0);
    grid3->addWidget(ComboBox1, 0, 1);
    grid3->addWidget(CheckBox1, 1, 0, 1, 2);

    auto* group4 = new QGroupBox(QT_TRANSLATE_NOOP("lxv", "Current Range "), this);
    group4->setObjectName("GroupBox4");
    auto* grid4 = new QGridLayout(group4);
    RadioButton1 = new QRadioButton(QT_TRANSLATE_NOOP("lxv", "Auto  "), group4);
    RadioButton1->setObjectName("RadioButton1");
    RadioButton2 = new QRadioButton(QT_TRANSLATE_NOOP("lxv", "Lock"), group4);
    RadioButton2->setObjectName("RadioButton2");
    Label11 = Caption(group4, QT_TRANSLATE_NOOP("lxv", "Range  "), "Label11");
    ComboBox2 = Selector(group4, "ComboBox2",
                         {QT_TRANSLATE_NOOP("lxv", " 1"), QT_TRANSLATE_NOOP("lxv", " 2"),
                          QT_TRANSLATE_NOOP("lxv", " 3"), QT_TRANSLATE_NOOP("lxv", " 4")},
                         Label11);
    grid4->addWidget(RadioButton1, 0, 0);
    grid4->addWidget(RadioButton2, 0, 1);
    grid4->addWidget(Label11, 1, 0);
    grid4->addWidget(ComboBox2, 1, 1);

    Button3 = new QPushButton(QT_TRANSLATE_NOOP("lxv", "Default"), this);
    Button3->setObjectName("Button3");
    Button2 = new QPushButton(QT_TRANSLATE_NOOP("lxv", "Read from instrument"), this);
    Button2->setObjectName("Button2");
    Button1 = new QPushButton(QT_TRANSLATE_NOOP("lxv", "Saved to instrument"), this);
    Button1->setObjectName("Button1");
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    // Every text above in the language in use; the status bar is the controller's.
    texts_ = new ShownTexts(this);
    texts_->adopt(this, {StatusBar1});
    texts_->refresh(ComboBox3, 101, [this] {
        ComboBox3->setPlaceholderText(Translated(QT_TRANSLATE_NOOP("lxv", " 50Hz ")));
    });

    auto* grid = new QGridLayout(this);
    grid->addWidget(group1, 0, 0, 2, 1);
    grid->addWidget(group2, 2, 0);
    grid->addWidget(radioBox1, 0, 1);
    grid->addWidget(radioBox2, 1, 1);
    grid->addWidget(group3, 2, 1);
    grid->addWidget(group4, 3, 0);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {Button3, Button2, Button1}) buttons->addWidget(b);
    grid->addLayout(buttons, 3, 1);
    grid->addWidget(StatusBar1, 4, 0, 1, 2);

    // Any change counts, whoever made it (keys, paste, a screen reader): a refresh keeps what the user set.
    for (QLineEdit* edit : {Edit1, Edit3, Edit4})
        connect(edit, &QLineEdit::textChanged, this, [this] { takeFields(); });
    for (QComboBox* box : {ComboBox3, ComboBox1, ComboBox2})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { takeFields(); });
    for (QButtonGroup* group : {RadioGroup1, RadioGroup2})
        connect(group, &QButtonGroup::idToggled, this, [this] { takeFields(); });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{CheckBox1, RadioButton1, RadioButton2})
        connect(b, &QAbstractButton::toggled, this, [this] { takeFields(); });
    connect(Button1, &QPushButton::clicked, this, &TExternal_CT_form::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TExternal_CT_form::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TExternal_CT_form::Button3Click);

    // The window may go before its controller (tests make several).
    control_.addChangedHandler([self = QPointer<TExternal_CT_form>(this)] {
        if (self) self->showState();
    });
    showState();
}

void TExternal_CT_form::Button1Click() {
    takeFields();
    ShowEffects(this, control_.Save());
}

void TExternal_CT_form::Button2Click() {
    ShowEffects(this, control_.Read());
}

void TExternal_CT_form::Button3Click() {
    control_.Default();
}

void TExternal_CT_form::takeFields() {
    if (showing_) return;
    SettingsFields& f = control_.fields;
    f.angle = Edit1->text().toStdString();
    f.ctRatio = Edit3->text().toStdString();
    f.vtRatio = Edit4->text().toStdString();
    f.frequencyItem = ComboBox3->currentIndex();
    f.bandwidth = RadioGroup1->checkedId();
    f.thdAlgorithm = RadioGroup2->checkedId();
    f.filterItem = ComboBox1->currentIndex();
    f.filterOn = CheckBox1->isChecked();
    f.range = RadioButton1->isChecked()   ? SettingsFields::Range::Auto
              : RadioButton2->isChecked() ? SettingsFields::Range::Lock
                                          : SettingsFields::Range::None;
    f.rangeItem = ComboBox2->currentIndex();
    showState();  // "Auto  " hides the range selector, "Lock" shows it
}

void TExternal_CT_form::showState() {
    showing_ = true;
    const SettingsFields& f = control_.fields;
    auto setText = [](QLineEdit* edit, const std::string& text) {
        if (edit->text().toStdString() != text) edit->setText(QString::fromStdString(text));
    };
    setText(Edit1, f.angle);
    setText(Edit3, f.ctRatio);
    setText(Edit4, f.vtRatio);
    ComboBox3->setCurrentIndex(f.frequencyItem);
    if (QAbstractButton* b = RadioGroup1->button(f.bandwidth)) b->setChecked(true);
    if (QAbstractButton* b = RadioGroup2->button(f.thdAlgorithm)) b->setChecked(true);
    ComboBox1->setCurrentIndex(f.filterItem);
    CheckBox1->setChecked(f.filterOn);
    // Neither "Auto  " nor "Lock" is chosen until the user, a read or a short-cut chooses one.
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);
    RadioButton1->setChecked(f.range == SettingsFields::Range::Auto);
    RadioButton2->setChecked(f.range == SettingsFields::Range::Lock);
    RadioButton1->setAutoExclusive(true);
    RadioButton2->setAutoExclusive(true);
    ComboBox2->setCurrentIndex(f.rangeItem);
    const bool rangeShown = f.range != SettingsFields::Range::Auto;
    Label11->setVisible(rangeShown);
    ComboBox2->setVisible(rangeShown);
    const UiText status = control_.statusText();
    texts_->refresh(StatusBar1, 100, [this, status] { StatusBar1->showMessage(Translated(status)); });
    Button1->setEnabled(!control_.busy());
    Button2->setEnabled(!control_.busy());
    showing_ = false;
}

}  // namespace lxv
