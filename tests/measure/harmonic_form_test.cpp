// The harmonic report window: its frame, refresh on show and on Timer1, and the copy text.
#include "measure/harmonic_form.h"

#include <QClipboard>
#include <QGuiApplication>
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
        QCOMPARE(form.grid()->rowCount(), 52);
        QCOMPARE(form.grid()->columnCount(), 5);
        QCOMPARE(form.grid()->columnWidth(4), (648 - 10) / 5);
        QCOMPARE(form.grid()->rowHeight(51), 20);
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

    void ctrlCCopiesTheSelectionOrEverything() {
        record.setUHarmonic(1, 311.127f);
        THarmonicForm form(record);
        form.show();
        QTest::keyClick(form.grid(), Qt::Key_C, Qt::ControlModifier);
        const QString all = QGuiApplication::clipboard()->text();
        QCOMPARE(all.count('\n'), 52);
        QVERIFY(all.startsWith("Order\tVoltage RMS\t"));
        form.grid()->setRangeSelected(QTableWidgetSelectionRange(2, 1, 3, 2), true);
        QTest::keyClick(form.grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("220.00\t100.00%\n0.00\t0.00%\n"));
    }
};

}  // namespace lxv

QTEST_MAIN(lxv::HarmonicFormTest)
#include "harmonic_form_test.moc"
