#include "measure/harmonic_form.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/translation.h"

namespace lxv {

namespace {

constexpr int kRowHeight = 20;
constexpr int kRefreshMs = 1000;

}  // namespace

THarmonicForm::THarmonicForm(const MeasureRecord& record, QWidget* parent)
    : QDialog(parent),
      record_(record),
      p1_h(new QTableWidget(kHarmonicGridRows - 1, kHarmonicGridColumns - 1, this)) {
    setObjectName("HarmonicForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", " Harmonic Report "));
    setModal(true);
    resize(648, 500);

    p1_h->setObjectName("p1_h");
    texts_->accessibleName(p1_h, QT_TRANSLATE_NOOP("lxv", "Harmonic Report"));
    p1_h->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p1_h);
    const int columnWidth = (width() - 10) / kHarmonicGridColumns;
    for (int c = 0; c < kHarmonicGridColumns - 1; ++c) p1_h->setColumnWidth(c, columnWidth);

    // The heading row and the order column are header sections: fixed, they stay
    // in view while the orders scroll, and a screen reader names them with every
    // cell ("Order 5", "     Current RMS"). They are not selected by a click.
    QHeaderView* headings = p1_h->horizontalHeader();
    QHeaderView* orders = p1_h->verticalHeader();
    for (QHeaderView* header : {headings, orders}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setTextElideMode(Qt::ElideRight);  // as the cells
    }
    headings->setFixedHeight(kRowHeight);
    orders->setDefaultSectionSize(kRowHeight);
    orders->setFixedWidth(columnWidth);
    p1_h->setCornerButtonEnabled(false);
    corner_ = p1_h->findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);  // shows the order column's heading

    grid_ = HarmonicGridTexts(record_);
    for (int c = 1; c < kHarmonicGridColumns; ++c) p1_h->setHorizontalHeaderItem(c - 1, new QTableWidgetItem);
    // The headings and the orders' names in the language in use.
    texts_->refresh(p1_h, 100, [this] {
        for (int c = 1; c < kHarmonicGridColumns; ++c)
            p1_h->horizontalHeaderItem(c - 1)->setText(Translated(grid_[0][static_cast<std::size_t>(c)]));
        for (int r = 1; r < kHarmonicGridRows; ++r)
            if (QTableWidgetItem* order = p1_h->verticalHeaderItem(r - 1))
                order->setData(Qt::AccessibleTextRole,
                               Translated(UiText(QT_TRANSLATE_NOOP("lxv", "Order %1")).arg(r - 1)));
        if (corner_) corner_->update();
    });
    for (int r = 1; r < kHarmonicGridRows; ++r) {
        auto* order = new QTableWidgetItem(QString::fromStdString(grid_[r][0]));
        p1_h->setVerticalHeaderItem(r - 1, order);
        for (int c = 1; c < kHarmonicGridColumns; ++c)
            p1_h->setItem(r - 1, c - 1, new QTableWidgetItem(QString::fromStdString(grid_[r][c])));
    }
    texts_->showAll();

    // The grid's own copy takes only the current cell: Ctrl+C is taken here first.
    p1_h->installEventFilter(this);

    Timer1.setParent(this);
    Timer1.setObjectName("Timer1");
    connect(&Timer1, &QTimer::timeout, this, &THarmonicForm::Timer1Timer);
    Timer1.start(kRefreshMs);
}

void THarmonicForm::RefreshHarmonicGrid() {
    grid_ = HarmonicGridTexts(record_);
    for (int r = 1; r < kHarmonicGridRows; ++r)
        for (int c = 1; c < kHarmonicGridColumns; ++c) {
            QTableWidgetItem* item = p1_h->item(r - 1, c - 1);
            const QString text = QString::fromStdString(grid_[r][c]);
            if (item->text() != text) item->setText(text);
        }
}

void THarmonicForm::CopySelection() {
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& index : p1_h->selectionModel()->selectedIndexes())
        cells.emplace_back(index.row() + 1, index.column() + 1);
    QGuiApplication::clipboard()->setText(QString::fromStdString(HarmonicCopyText(grid_, std::move(cells))));
}

QString THarmonicForm::cellText(int row, int column) const {
    const QTableWidgetItem* item = nullptr;
    if (row == 0 && column == 0) return Translated(HarmonicHeading(0));
    if (row == 0)
        item = p1_h->horizontalHeaderItem(column - 1);
    else if (column == 0)
        item = p1_h->verticalHeaderItem(row - 1);
    else
        item = p1_h->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

bool THarmonicForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == p1_h && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
    }
    if (watched == corner_ && event->type() == QEvent::Paint) {
        // Drawn as the heading row's sections are, with the order column's heading.
        QHeaderView* headings = p1_h->horizontalHeader();
        QStyleOptionHeader option;
        option.initFrom(headings);
        option.rect = corner_->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = Translated(HarmonicHeading(0));
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        QPainter painter(corner_);
        headings->style()->drawControl(QStyle::CE_Header, &option, &painter, headings);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void THarmonicForm::showEvent(QShowEvent* event) {
    RefreshHarmonicGrid();
    QDialog::showEvent(event);
}

}  // namespace lxv
