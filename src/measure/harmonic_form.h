// The harmonic report window " Harmonic Report ": a modal 648 x 500 window
// whose grid `p1_h` lists, for orders 0 to 50, the RMS value and the share of
// the fundamental of voltage and current. It refreshes itself when shown and
// every second (Timer1) for the whole run, whether shown or not. Ctrl+C
// copies the selected cells (all when none is selected) as tab-separated text.
// The heading row and the order column are the grid's header sections.
// A view: the texts come from measure/harmonic_grid.h.
#pragma once

#include <QDialog>
#include <QTimer>

#include "measure/harmonic_grid.h"

class QAbstractButton;
class QTableWidget;

namespace lxv {

class ShownTexts;

class THarmonicForm : public QDialog {
    Q_OBJECT
  public:
    // `record` is the session's measurement record, read at each refresh.
    explicit THarmonicForm(const MeasureRecord& record, QWidget* parent = nullptr);

    void RefreshHarmonicGrid();
    void Timer1Timer() { RefreshHarmonicGrid(); }
    // Puts the copy text of the selection (or the whole grid) on the clipboard.
    void CopySelection();

    QTableWidget* grid() const { return p1_h; }
    // The text at `row`, `column` of the grid as designed: row 0 the headings, column 0 the orders.
    QString cellText(int row, int column) const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const MeasureRecord& record_;
    HarmonicGrid grid_;
    ShownTexts* texts_;
    QTableWidget* p1_h;
    QAbstractButton* corner_ = nullptr;  // above the order column
    QTimer Timer1;
};

}  // namespace lxv
