// The harmonic report window: its frame, refresh on show and on Timer1, and the copy text.
#include "measure/harmonic_form.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

namespace lxv {

class HarmonicFormTest : public QObject {
    Q_OBJECT

    MeasureRecord record;

  private slots:
    void init() { ResetMeasurement(record); }

    void frameAndHeadings() {
        THarmonicForm form(record);
        QCOMPARE(form.windowTitle(), QString(" Harmonic Report "));
        QVERIFY(form.isModal());
        QCOMPARE(form.size(), QSize(648, 500));
        QCOMPARE(form.grid()->objectName(), QString("p1_h"));
        // The heading row and the order column are header sections around 51 x 4 cells.
        QCOMPARE(form.grid()->rowCount(), 51);
        QCOMPARE(form.grid()->columnCount(), 4);
        QCOMPARE(form.grid()->columnWidth(3), (648 - 10) / 5);
        QCOMPARE(form.grid()->verticalHeader()->width(), (648 - 10) / 5);
        QCOMPARE(form.grid()->rowHeight(50), 20);
        QCOMPARE(form.grid()->horizontalHeader()->height(), 20);
        QCOMPARE(form.cellText(0, 0), QString("         Order"));
        QCOMPARE(form.cellText(0, 3), QString("     Current RMS"));
        QCOMPARE(form.cellText(51, 0), QString(21, ' ') + "50");
        auto* timer = form.findChild<QTimer*>("Timer1");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
    }

    void refreshesWhenShownAndOnEveryTick() {
        THarmonicForm form(record);
        const QString indent(21, ' ');
        QCOMPARE(form.cellText(2, 1), indent + "0.00");
        record.setUHarmonic(1, 311.127f);
        form.show();
        QCOMPARE(form.cellText(2, 1), indent + "220.00");
        QCOMPARE(form.cellText(2, 2), indent + "100.00%");
        QCOMPARE(form.cellText(2, 4), indent);  // no current fundamental: blank
        record.setIHarmonic(1, 0.0141421f);
        form.Timer1Timer();
        QCOMPARE(form.cellText(2, 3), indent + "0.01");
        QCOMPARE(form.cellText(2, 4), indent + "100.00%");
    }

    // Scrolled to order 50, the headings are still in view; a screen reader gets
    // each cell with its order and its column through the table interface.
    void headingsStayInViewAndNameEveryCell() {
        record.setIHarmonic(1, 1.0f);
        record.setIHarmonic(5, 0.0141421f);
        THarmonicForm form(record);
        form.show();
        QTableWidget* grid = form.grid();
        grid->scrollToBottom();
        QVERIFY(grid->verticalScrollBar()->value() > 0);
        QVERIFY(grid->horizontalHeader()->isVisible() && grid->verticalHeader()->isVisible());
        QCOMPARE(grid->horizontalHeader()->geometry().bottom() < grid->viewport()->geometry().top(), true);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table && table->tableInterface());
        QAccessibleInterface* cell = table->tableInterface()->cellAt(5, 2);  // order 5, current RMS
        QVERIFY(cell && cell->tableCellInterface());
        QCOMPARE(cell->text(QAccessible::Name).trimmed(), QString("0.01"));
        const QList<QAccessibleInterface*> rows = cell->tableCellInterface()->rowHeaderCells();
        const QList<QAccessibleInterface*> columns = cell->tableCellInterface()->columnHeaderCells();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(columns.size(), 1);
        QCOMPARE(rows[0]->text(QAccessible::Name), QString("Order 5"));
        QCOMPARE(columns[0]->text(QAccessible::Name).trimmed(), QString("Current RMS"));
    }

    void ctrlCCopiesTheSelectionOrEverything() {
        record.setUHarmonic(1, 311.127f);
        THarmonicForm form(record);
        form.show();
        QTest::keyClick(form.grid(), Qt::Key_C, Qt::ControlModifier);
        const QString all = QGuiApplication::clipboard()->text();
        QCOMPARE(all.count('\n'), 52);
        QVERIFY(all.startsWith("Order\tVoltage RMS\t"));
        form.grid()->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 1), true);  // orders 1 and 2
        QTest::keyClick(form.grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("220.00\t100.00%\n0.00\t0.00%\n"));
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::HarmonicFormTest)
#include "harmonic_form_test.moc"
