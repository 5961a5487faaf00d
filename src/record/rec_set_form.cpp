#include "record/rec_set_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "platform/translation.h"
#include "record/record_settings_ini.h"
#include "record/recorder.h"

namespace lxv {

namespace {

QComboBox* List(QWidget* parent, const QString& name, const UiText& accessible, ShownTexts* texts) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    texts->accessibleName(list, accessible);
    return list;
}

std::vector<UiText> Items(const char* (*item)(int), int count) {
    std::vector<UiText> items;
    for (int i = 0; i < count; ++i) items.emplace_back(item(i));
    return items;
}

void Select(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

TRecSetForm::TRecSetForm(IniFile& sysSet, Recorder& recorder, QWidget* parent)
    : QDialog(parent), sysSet_(sysSet), recorder_(recorder) {
    setObjectName("RecSetForm");
    auto* texts = new ShownTexts(this);
    texts->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "Record Seting"));
    auto* layout = new QVBoxLayout(this);

    auto* input = new QGroupBox(this);
    input->setObjectName("GroupBox1");
    texts->title(input, QT_TRANSLATE_NOOP("lxv", "Input selection"));
    auto* grid = new QGridLayout(input);
    for (int c = 0; c < kRecordChannels; ++c) {
        auto* label = new QLabel(input);
        texts->text(label, UiText(QT_TRANSLATE_NOOP("lxv", "CH%1 ")).arg(c + 1));
        QComboBox* list = List(input, QString("ComboBox%1").arg(c + 1),
                               UiText(QT_TRANSLATE_NOOP("lxv", "CH%1")).arg(c + 1), texts);
        texts->items(list, Items(QuantityListItem, kQuantityCount));
        label->setBuddy(list);
        grid->addWidget(label, c, 0);
        grid->addWidget(list, c, 1);
        channels_[static_cast<std::size_t>(c)] = list;
    }
    layout->addWidget(input);

    auto* steps = new QHBoxLayout;
    auto* sampleBox = new QGroupBox(this);
    sampleBox->setObjectName("GroupBox2");
    texts->title(sampleBox, QT_TRANSLATE_NOOP("lxv", "Sampling Step"));
    sample_ = List(sampleBox, "ComboBox7", QT_TRANSLATE_NOOP("lxv", "Sampling Step"), texts);
    texts->items(sample_, Items(SampleStepListItem, kSampleStepListCount));
    (new QVBoxLayout(sampleBox))->addWidget(sample_);
    auto* saveBox = new QGroupBox(this);
    saveBox->setObjectName("GroupBox3");
    texts->title(saveBox, QT_TRANSLATE_NOOP("lxv", "Save setp"));
    save_ = List(saveBox, "ComboBox8", QT_TRANSLATE_NOOP("lxv", "Save setp"), texts);
    texts->items(save_, Items(SaveStepListItem, kSaveStepCount));
    (new QVBoxLayout(saveBox))->addWidget(save_);
    steps->addWidget(sampleBox);
    steps->addWidget(saveBox);
    layout->addLayout(steps);

    // The temperature instrument's input is not built: the group stays disabled and empty.
    auto* temperatureBox = new QGroupBox(this);
    temperatureBox->setObjectName("GroupBox4");
    texts->title(temperatureBox, QT_TRANSLATE_NOOP("lxv", "Temperature input interface"));
    temperature_ =
        List(temperatureBox, "ComboBox9", QT_TRANSLATE_NOOP("lxv", "Temperature input interface"), texts);
    texts->refresh(temperature_, 100, [this] {
        temperature_->setPlaceholderText(Translated(QT_TRANSLATE_NOOP("lxv", "Unfinished")));
    });
    temperature_->setEditable(false);
    (new QVBoxLayout(temperatureBox))->addWidget(temperature_);
    temperatureBox->setEnabled(false);
    layout->addWidget(temperatureBox);

    auto* buttons = new QHBoxLayout;
    auto* enter = new QPushButton(this);
    enter->setObjectName("Button1");
    texts->text(enter, QT_TRANSLATE_NOOP("lxv", "Enter"));
    enter->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("Button2");
    texts->text(cancel, QT_TRANSLATE_NOOP("lxv", "Cancel"));
    buttons->addStretch();
    buttons->addWidget(enter);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(enter, &QPushButton::clicked, this, &TRecSetForm::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TRecSetForm::Button2Click);
}

bool TRecSetForm::FormCreate() {
    UiText error;
    const RecordSetKeys keys = ReadRecordSetKeys(sysSet_, error);
    for (int c = 0; c < kRecordChannels; ++c)
        Select(channels_[static_cast<std::size_t>(c)], keys.channels[c]);
    Select(sample_, keys.sampleStep);
    Select(save_, keys.saveStep);
    if (error.empty()) return true;
    // The window opens all the same, so that "Enter" can repair the file.
    AppDialogs().showError(this, Translated(error));
    return false;
}

void TRecSetForm::Open() {
    FormCreate();
    exec();
}

void TRecSetForm::Button1Click() {
    RecordSetKeys keys;
    for (int c = 0; c < kRecordChannels; ++c)
        keys.channels[c] = channels_[static_cast<std::size_t>(c)]->currentIndex();
    keys.sampleStep = sample_->currentIndex();
    keys.saveStep = save_->currentIndex();
    WriteRecordSetKeys(sysSet_, keys);
    const AppliedRecordSettings applied = ApplyRecordSetKeys(keys, recorder_.settings(), true);
    recorder_.ApplySettings(applied.settings);
    emit this->applied(applied);
    if (UsesTemperatureInput(keys.channels)) AppDialogs().showMessage(this, Translated(kTemperatureMessage));
    accept();
}

void TRecSetForm::Button2Click() {
    reject();
}

}  // namespace lxv
