// The record settings window (TRecSetForm, "Record Seting"): the quantity of
// each of the six channels, the sampling step and the save step, kept in
// section RecordSet of SysSet.ini. Opened modally from the record window.
#pragma once

#include <QDialog>
#include <array>

#include "record/record_settings.h"

class QComboBox;
class QPushButton;

namespace lxv {

class IniFile;
class Recorder;

class TRecSetForm : public QDialog {
    Q_OBJECT
  public:
    TRecSetForm(IniFile& sysSet, Recorder& recorder, QWidget* parent = nullptr);

    // Selects the list entries from SysSet.ini (an index outside a list leaves
    // it without selection). A key that is not a decimal integer selects the
    // default entry; the conversion message of the first such key is shown and
    // the result is false.
    bool FormCreate();
    // Reads the settings file again and shows the window modally.
    void Open();

    void Button1Click();  // "Enter"
    void Button2Click();  // "Cancel"

    QComboBox* channelList(int channel) const { return channels_[static_cast<std::size_t>(channel)]; }
    QComboBox* sampleList() const { return sample_; }
    QComboBox* saveList() const { return save_; }

  signals:
    // "Enter" applied new settings: the record window shows their texts and labels.
    void applied(const AppliedRecordSettings& settings);

  private:
    IniFile& sysSet_;
    Recorder& recorder_;
    std::array<QComboBox*, kRecordChannels> channels_{};
    QComboBox* sample_ = nullptr;
    QComboBox* save_ = nullptr;
    QComboBox* temperature_ = nullptr;
};

}  // namespace lxv
