#include "record/rec_set_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/dialogs.h"
#include "record/record_settings_ini.h"
#include "record/recorder.h"

namespace lxv {

namespace {

QComboBox* List(QWidget* parent, const char* name, const char* accessible) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessible);
    return list;
}

void Select(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace

TRecSetForm::TRecSetForm(IniFile& sysSet, Recorder& recorder, QWidget* parent)
    : QDialog(parent), sysSet_(sysSet), recorder_(recorder) {
    setObjectName("RecSetForm");
    setWindowTitle("Record Seting");
    auto* layout = new QVBoxLayout(this);

    auto* input = new QGroupBox("Input selection", this);
    input->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(input);
    for (int c = 0; c < kRecordChannels; ++c) {
        const QString name = QString("CH%1 ").arg(c + 1);
        auto* label = new QLabel(name, input);
        QComboBox* list =
            List(input, qPrintable(QString("ComboBox%1").arg(c + 1)), qPrintable(name.trimmed()));
        for (int code = 0; code < kQuantityCount; ++code) list->addItem(QuantityListItem(code));
        label->setBuddy(list);
        grid->addWidget(label, c, 0);
        grid->addWidget(list, c, 1);
        channels_[static_cast<std::size_t>(c)] = list;
    }
    layout->addWidget(input);

    auto* steps = new QHBoxLayout;
    auto* sampleBox = new QGroupBox("Sampling Step", this);
    sampleBox->setObjectName("GroupBox2");
    sample_ = List(sampleBox, "ComboBox7", "Sampling Step");
    for (int i = 0; i < kSampleStepListCount; ++i) sample_->addItem(SampleStepListItem(i));
    (new QVBoxLayout(sampleBox))->addWidget(sample_);
    auto* saveBox = new QGroupBox("Save setp", this);
    saveBox->setObjectName("GroupBox3");
    save_ = List(saveBox, "ComboBox8", "Save setp");
    for (int i = 0; i < kSaveStepCount; ++i) save_->addItem(SaveStepListItem(i));
    (new QVBoxLayout(saveBox))->addWidget(save_);
    steps->addWidget(sampleBox);
    steps->addWidget(saveBox);
    layout->addLayout(steps);

    // The temperature instrument's input is not built: the group stays disabled and empty.
    auto* temperatureBox = new QGroupBox("Temperature input interface", this);
    temperatureBox->setObjectName("GroupBox4");
    temperature_ = List(temperatureBox, "ComboBox9", "Temperature input interface");
    temperature_->setPlaceholderText("Unfinished");
    temperature_->setEditable(false);
    (new QVBoxLayout(temperatureBox))->addWidget(temperature_);
    temperatureBox->setEnabled(false);
    layout->addWidget(temperatureBox);

    auto* buttons = new QHBoxLayout;
    auto* enter = new QPushButton("Enter", this);
    enter->setObjectName("Button1");
    enter->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Button2");
    buttons->addStretch();
    buttons->addWidget(enter);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(enter, &QPushButton::clicked, this, &TRecSetForm::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TRecSetForm::Button2Click);
}

bool TRecSetForm::FormCreate() {
    std::string error;
    const RecordSetKeys keys = ReadRecordSetKeys(sysSet_, error);
    for (int c = 0; c < kRecordChannels; ++c)
        Select(channels_[static_cast<std::size_t>(c)], keys.channels[c]);
    Select(sample_, keys.sampleStep);
    Select(save_, keys.saveStep);
    if (error.empty()) return true;
    // The window opens all the same, so that "Enter" can repair the file.
    AppDialogs().showError(this, QString::fromStdString(error));
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
    if (UsesTemperatureInput(keys.channels)) AppDialogs().showMessage(this, kTemperatureMessage);
    accept();
}

void TRecSetForm::Button2Click() {
    reject();
}

}  // namespace lxv
