#include "app/language_form.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lxv {

TLanguageForm::TLanguageForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LanguageForm");
    setModal(true);
    auto* texts = new ShownTexts(this);
    texts->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "Language / 語言"));

    auto* box = new QGroupBox(this);
    box->setObjectName("RadioGroup1");
    texts->title(box, QT_TRANSLATE_NOOP("lxv", "Language / 語言"));
    items_ = new QButtonGroup(box);
    auto* column = new QVBoxLayout(box);
    // Each language named in its own words.
    const char* names[] = {QT_TRANSLATE_NOOP("lxv", "原文 / Original"), QT_TRANSLATE_NOOP("lxv", "English")};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(box);
        radio->setObjectName(QString("RadioGroup1Item%1").arg(i));
        texts->text(radio, names[i]);
        items_->addButton(radio, i);
        column->addWidget(radio);
    }
    connect(items_, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked && !selecting_) RadioGroup1Click(item);
    });

    auto* ok = new QPushButton(this);
    ok->setObjectName("Button1");
    texts->text(ok, QT_TRANSLATE_NOOP("lxv", "OK / 確定"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TLanguageForm::Button1Click);

    auto* all = new QVBoxLayout(this);
    all->addWidget(box);
    all->addWidget(ok, 0, Qt::AlignRight);
}

void TLanguageForm::showEvent(QShowEvent* event) {
    // The language in use, whoever chose it (the command line, a test).
    selecting_ = true;
    items_->button(CurrentUiLanguage() == UiLanguage::English ? 1 : 0)->setChecked(true);
    selecting_ = false;
    QDialog::showEvent(event);
}

void TLanguageForm::RadioGroup1Click(int item) {
    emit chosen(item == 1 ? UiLanguage::English : UiLanguage::Original);
    // A translation that could not be loaded leaves the language as it was.
    selecting_ = true;
    items_->button(CurrentUiLanguage() == UiLanguage::English ? 1 : 0)->setChecked(true);
    selecting_ = false;
}

int TLanguageForm::selectedItem() const {
    return items_->checkedId();
}

void TLanguageForm::Button1Click() {
    accept();
}

}  // namespace lxv
