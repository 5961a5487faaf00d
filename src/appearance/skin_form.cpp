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

namespace lxv {

Tskin::Tskin(StyleControl& control, QWidget* parent) : QDialog(parent), control_(control) {
    setObjectName("skin");
    setWindowTitle(" Style ");
    setModal(true);

    QStringList skins = {"WINDOWS"};
    for (int n = 1; n <= kSkinCount; ++n) skins << QString("Skin %1").arg(n);
    skins_ = Group("RadioGroup1", "Skins", skins, 2);
    background_ = Group("RadioGroup2", " Graphic background ", {" Black", " White", " Gray"}, 1);
    scale_ = Group("RadioGroup3", " Scale color ", {" Blue-green", " Yellow", " Light Black"}, 1);
    const std::pair<QButtonGroup*, void (Tskin::*)(int)> handlers[] = {
        {skins_, &Tskin::RadioGroup1Click},
        {background_, &Tskin::RadioGroup2Click},
        {scale_, &Tskin::RadioGroup3Click}};
    for (const auto& [group, handler] : handlers)
        connect(group, &QButtonGroup::idToggled, this, [this, handler](int item, bool checked) {
            if (checked && !selecting_) (this->*handler)(item);
        });

    auto* close = new QPushButton("Close", this);
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
    if (!selection.error.empty()) AppDialogs().showError(this, QString::fromStdString(selection.error));
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
