#include "port/comm_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "port/link_control.h"
#include "platform/dialogs.h"
#include "platform/translation.h"

namespace lxv {

TCommForm::TCommForm(LinkControl& control, QWidget* parent) : QDialog(parent), control_(control) {
    setObjectName("CommForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "程式參數設置"));

    RadioGroup2 = new QGroupBox(this);
    texts_->title(RadioGroup2, QT_TRANSLATE_NOOP("lxv", " Communication Port "));
    RadioGroup2->setObjectName("RadioGroup2");
    radioLayout_ = new QVBoxLayout(RadioGroup2);
    radioLayout_->addStretch();
    radioButtons_ = new QButtonGroup(this);
    radioButtons_->setExclusive(true);
    // Like the list's click event, a change of the chosen item, whoever made it
    // (a click, the keyboard, a screen reader); the window's own refresh is not a choice.
    connect(radioButtons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && !showing_) RadioGroup2Click();
    });

    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    texts_->text(Button1, QT_TRANSLATE_NOOP("lxv", " Scanning Communication port"));
    connect(Button1, &QPushButton::clicked, this, &TCommForm::Button1Click);
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    texts_->text(Button2, QT_TRANSLATE_NOOP("lxv", "Exit"));
    connect(Button2, &QPushButton::clicked, this, &TCommForm::Button2Click);

    auto* baudGroup = new QGroupBox(this);
    baudGroup->setObjectName("GroupBox1");
    texts_->title(baudGroup, QT_TRANSLATE_NOOP("lxv", "BaudRate"));
    ComboBox1 = new QComboBox(baudGroup);
    ComboBox1->setObjectName("ComboBox1");
    texts_->accessibleName(ComboBox1, QT_TRANSLATE_NOOP("lxv", "BaudRate"));
    texts_->items(ComboBox1, {std::begin(kBaudItems), std::end(kBaudItems)});
    ComboBox1->setCurrentIndex(2);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) ComboBox1Change();
    });
    (new QVBoxLayout(baudGroup))->addWidget(ComboBox1);

    auto* addressLabel = new QLabel(this);
    addressLabel->setObjectName("Label1");
    texts_->text(addressLabel, QT_TRANSLATE_NOOP("lxv", "Instruments Address（1-255）：  "));
    Edit1 = new QLineEdit("1", this);
    Edit1->setObjectName("Edit1");
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), Edit1));
    addressLabel->setBuddy(Edit1);
    connect(Edit1, &QLineEdit::textChanged, this, [this] {
        if (!showing_) Edit1Change();
    });

    auto* right = new QVBoxLayout;
    right->addWidget(baudGroup);
    right->addWidget(addressLabel);
    right->addWidget(Edit1);
    right->addStretch();
    right->addWidget(Button2);
    auto* left = new QVBoxLayout;
    left->addWidget(RadioGroup2, 1);
    left->addWidget(Button1);
    auto* grid = new QHBoxLayout(this);
    grid->addLayout(left, 1);
    grid->addLayout(right);
}

void TCommForm::FormCreate() {
    scan();
}

void TCommForm::Button1Click() {
    scan();
}

void TCommForm::Button2Click() {
    close();
}

void TCommForm::scan() {
    const LinkEffects fx = control_.Scan();
    showPortItems();
    showEffects(fx);
}

void TCommForm::showEffects(const LinkEffects& fx) {
    if (fx.fieldsChanged) showFields();
    for (const UiText& text : fx.errors) AppDialogs().showError(this, Translated(text));
    for (const UiText& text : fx.messages) AppDialogs().showMessage(this, Translated(text));
}

void TCommForm::showFields() {
    showing_ = true;
    ComboBox1->setCurrentIndex(control_.baudIndex());
    Edit1->setText(QString::fromStdString(control_.addressText()));
    showing_ = false;
    showAddressValidity();
}

void TCommForm::showAddressValidity() {
    QPalette palette;
    if (!control_.addressValid()) {
        palette = Edit1->palette();
        palette.setColor(QPalette::Text, Qt::red);
    }
    Edit1->setPalette(palette);
}

void TCommForm::showPortItems() {
    showing_ = true;
    for (QRadioButton* button : radioItems_) {
        radioButtons_->removeButton(button);
        delete button;
    }
    radioItems_.clear();
    for (const PortItem& item : control_.portItems()) {
        auto* button = new QRadioButton(RadioGroup2);
        texts_->text(button, item.label);
        radioButtons_->addButton(button, static_cast<int>(radioItems_.size()));
        radioLayout_->insertWidget(radioLayout_->count() - 1, button);
        radioItems_.push_back(button);
    }
    const int chosen = control_.chosenItem();
    if (chosen >= 0 && chosen < static_cast<int>(radioItems_.size())) radioItems_[chosen]->setChecked(true);
    showing_ = false;
}

bool TCommForm::scanDone() const {
    return control_.scanDone();
}
const std::vector<int>& TCommForm::instrumentPortList() const {
    return control_.instrumentPortList();
}
int TCommForm::configuredPort() const {
    return control_.configuredPort();
}
int TCommForm::commPort() const {
    return control_.commPort();
}

QStringList TCommForm::portItems() const {
    QStringList items;
    for (const QRadioButton* button : radioItems_) items << button->text();
    return items;
}

int TCommForm::portItemIndex() const {
    return radioButtons_->checkedId();
}

void TCommForm::setPortItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(radioItems_.size())) radioItems_[index]->setChecked(true);
}

void TCommForm::RadioGroup2Click() {
    showEffects(control_.ChoosePort(portItemIndex()));
}

void TCommForm::ComboBox1Change() {
    showEffects(control_.ChangeBaud(ComboBox1->currentIndex()));
}

void TCommForm::Edit1Change() {
    control_.SetAddressText(Edit1->text().toStdString(), true);
    showAddressValidity();
}

void TCommForm::SetCommPort(int n) {
    control_.SetCommPort(n);
}

}  // namespace lxv
