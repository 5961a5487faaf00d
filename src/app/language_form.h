// The language window (TLanguageForm, "Language / 語言"): the original texts
// or English for every window. A choice takes effect at once; the window's own
// texts are in both languages, so a reader of either finds the way back.
#pragma once

#include <QDialog>

#include "platform/translation.h"

class QButtonGroup;

namespace lxv {

class TLanguageForm : public QDialog {
    Q_OBJECT
  public:
    explicit TLanguageForm(QWidget* parent = nullptr);

    void RadioGroup1Click(int item);  // 0 the original texts, 1 English
    void Button1Click();              // "OK"
    int selectedItem() const;

  signals:
    void chosen(UiLanguage language);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QButtonGroup* items_;
    bool selecting_ = false;
};

}  // namespace lxv
