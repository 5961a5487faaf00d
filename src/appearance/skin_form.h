// The style window (Tskin, " Style "): the skin and the two chart colours. A
// thin view over StyleControl: it owns the radio groups and the Close button.
// Depends on: appearance/skins.h, platform/dialogs.h and Qt Widgets.
#pragma once

#include <QDialog>

class QButtonGroup;

namespace lxv {

class StyleControl;
struct StyleSelection;

class Tskin : public QDialog {
    Q_OBJECT
  public:
    explicit Tskin(StyleControl& control, QWidget* parent = nullptr);

    // Reads the stored choices, sets the chart colours and selects the items;
    // a key that is not a number is shown as the conversion error.
    void FormCreate();

    // Handlers, one per control event (item numbers as stored): an item that
    // becomes checked, by a click, the keyboard or a screen reader.
    void RadioGroup1Click(int item);  // "Skins"
    void RadioGroup2Click(int item);  // " Graphic background "
    void RadioGroup3Click(int item);  // " Scale color "
    void Button1Click();              // "Close"

    // The selected item of group 1..3, -1 when none is.
    int selectedItem(int group) const;

  private:
    QButtonGroup* Group(const QString& name, const QString& caption, const QStringList& items, int columns);
    void Select(QButtonGroup* group, int item);

    StyleControl& control_;
    QButtonGroup* skins_ = nullptr;
    QButtonGroup* background_ = nullptr;
    QButtonGroup* scale_ = nullptr;
    bool selecting_ = false;  // FormCreate() shows the stored choices: nothing is chosen
};

}  // namespace lxv
