#include "appearance/skin_form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "appearance/skins.h"
#include "platform/dialogs.h"
#include "platform/translation.h"

namespace lxv {

Tskin::Tskin(StyleControl& control, QWidget* parent) : QDialog(parent), control_(control) {
    setObjectName("skin");
    setWindowTitle(QT_TRANSLATE_NOOP("lxv", " Style "));
    setModal(true);

    QStringList skins = {QT_TRANSLATE_NOOP("lxv", "WINDOWS")};
    // "Skin 1" .. "Skin 6", each a text of its own.
    const char* const names[kSkinCount] = {
        QT_TRANSLATE_NOOP("lxv", "Skin 1"), QT_TRANSLATE_NOOP("lxv", "Skin 2"),
        QT_TRANSLATE_NOOP("lxv", "Skin 3"), QT_TRANSLATE_NOOP("lxv", "Skin 4"),
        QT_TRANSLATE_NOOP("lxv", "Skin 5"), QT_TRANSLATE_NOOP("lxv", "Skin 6")};
    for (const char* name : names) skins << name;
    skins_ = Group("RadioGroup1", QT_TRANSLATE_NOOP("lxv", "Skins"), skins, 2);
    background_ = Group("RadioGroup2", QT_TRANSLATE_NOOP("lxv", " Graphic background "),
                        {QT_TRANSLATE_NOOP("lxv", " Black"), QT_TRANSLATE_NOOP("lxv", " White"),
                         QT_TRANSLATE_NOOP("lxv", " Gray")},
                        1);
    scale_ = Group("RadioGroup3", QT_TRANSLATE_NOOP("lxv", " Scale color "),
                   {QT_TRANSLATE_NOOP("lxv", " Blue-green"), QT_TRANSLATE_NOOP("lxv", " Yellow"),
                    QT_TRANSLATE_NOOP("lxv", " Light Black")},
                   1);
    const std::pair<QButtonGroup*, void (Tskin::*)(int)> handlers[] = {
        {skins_, &Tskin::RadioGroup1Click},
        {background_, &Tskin::RadioGroup2Click},
        {scale_, &Tskin::RadioGroup3Click}};
    for (const auto& [group, handler] : handlers)
        connect(group, &QButtonGroup::idToggled, this, [this, handler](int item, bool checked) {
            if (checked && !selecting_) (this->*handler)(item);
        });

    auto* close = new QPushButton(QT_TRANSLATE_NOOP("lxv", "Close"), this);
    close->setObjectName("Button1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &Tskin::Button1Click);

    auto* colours = new QVBoxLayout;
    colours->addWidget(background_->button(0)->parentWidget());
    colours->addWidget(scale_->button(0)->parentWidget());
    auto* groups = new QHBoxLayout;
    groups->addWidget(skins_->button(0)->parentWidget());
    groups->addLayout(colours);
    auto* all = new QVBoxLayout(this);
    all->addLayout(groups);
    all->addWidget(close, 0, Qt::AlignRight);
    // Every text above in the language in use.
    (new ShownTexts(this))->adopt(this);
}

QButtonGroup* Tskin::Group(const QString& name, const QString& caption, const QStringList& items,
                           int columns) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(name);
    // A styled title is not counted in the box's size: keep room for it.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(caption) + 32);
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(QString("%1Item%2").arg(name).arg(i));
        group->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    return group;
}

void Tskin::Select(QButtonGroup* group, int item) {
    if (QAbstractButton* button = group->button(item)) {
        button->setChecked(true);
        return;
    }
    // No item: an exclusive group cannot uncheck its checked button otherwise.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}

int Tskin::selectedItem(int group) const {
    const QButtonGroup* groups[] = {skins_, background_, scale_};
    return group >= 1 && group <= 3 ? groups[group - 1]->checkedId() : -1;
}

void Tskin::FormCreate() {
    const StyleSelection selection = control_.FormCreate();
    selecting_ = true;
    Select(skins_, selection.skin);
    Select(background_, selection.background);
    Select(scale_, selection.scale);
    selecting_ = false;
    if (!selection.error.empty()) AppDialogs().showError(this, Translated(selection.error));
}

void Tskin::RadioGroup1Click(int item) {
    control_.SkinClick(item);
}

void Tskin::RadioGroup2Click(int item) {
    control_.BackgroundClick(item);
}

void Tskin::RadioGroup3Click(int item) {
    control_.ScaleClick(item);
}

void Tskin::Button1Click() {
    close();
}

}  // namespace lxv
