#include "measure/harmonic_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lxv {

namespace {

constexpr int kRowHeight = 20;
constexpr int kRefreshMs = 1000;

}  // namespace

THarmonicForm::THarmonicForm(const MeasureRecord& record, QWidget* parent)
    : QDialog(parent),
      record_(record),
      p1_h(new QTableWidget(kHarmonicGridRows, kHarmonicGridColumns, this)) {
    setObjectName("HarmonicForm");
    setWindowTitle(" Harmonic Report ");
    setModal(true);
    resize(648, 500);

    p1_h->setObjectName("p1_h");
    p1_h->setAccessibleName("Harmonic Report");
    p1_h->horizontalHeader()->hide();
    p1_h->verticalHeader()->hide();
    p1_h->setEditTriggers(QAbstractItemView::NoEditTriggers);
    p1_h->verticalHeader()->setDefaultSectionSize(kRowHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p1_h);
    const int columnWidth = (width() - 10) / kHarmonicGridColumns;
    for (int c = 0; c < kHarmonicGridColumns; ++c) p1_h->setColumnWidth(c, columnWidth);

    // The heading row and the order column look fixed: shaded, not selectable.
    texts_ = HarmonicGridTexts(record_);
    const QBrush fixed = palette().brush(QPalette::Button);
    for (int r = 0; r < kHarmonicGridRows; ++r) {
        for (int c = 0; c < kHarmonicGridColumns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(texts_[r][c]));
            if (r == 0 || c == 0) {
                item->setBackground(fixed);
                item->setFlags(Qt::ItemIsEnabled);
            }
            p1_h->setItem(r, c, item);
        }
    }

    // The grid's own copy takes only the current cell: Ctrl+C is taken here first.
    p1_h->installEventFilter(this);

    Timer1.setParent(this);
    Timer1.setObjectName("Timer1");
    connect(&Timer1, &QTimer::timeout, this, &THarmonicForm::Timer1Timer);
    Timer1.start(kRefreshMs);
}

void THarmonicForm::RefreshHarmonicGrid() {
    texts_ = HarmonicGridTexts(record_);
    for (int r = 1; r < kHarmonicGridRows; ++r)
        for (int c = 1; c < kHarmonicGridColumns; ++c) {
            QTableWidgetItem* item = p1_h->item(r, c);
            const QString text = QString::fromStdString(texts_[r][c]);
            if (item->text() != text) item->setText(text);
        }
}

void THarmonicForm::CopySelection() {
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& index : p1_h->selectionModel()->selectedIndexes())
        cells.emplace_back(index.row(), index.column());
    QGuiApplication::clipboard()->setText(QString::fromStdString(HarmonicCopyText(texts_, std::move(cells))));
}

QString THarmonicForm::cellText(int row, int column) const {
    const QTableWidgetItem* item = p1_h->item(row, column);
    return item ? item->text() : QString();
}

bool THarmonicForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == p1_h && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void THarmonicForm::showEvent(QShowEvent* event) {
    RefreshHarmonicGrid();
    QDialog::showEvent(event);
}

}  // namespace lxv
