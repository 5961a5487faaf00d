// What the main window shows: value panels, chart images, the layout of its
// panes, test files, the command-line start file and the help items.
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include "app/chart_view.h"
#include "app/command_line.h"
#include "app/logo_form.h"
#include "app/version_form.h"
#include "appearance/chart_colours.h"
#include "main_form_fixture.h"
#include "platform/app_paths.h"

namespace lxv::test {

namespace {

int CountColour(const QImage& image, QColor colour, int rowFrom, int rowTo) {
    int n = 0;
    for (int y = std::max(0, rowFrom); y < std::min(image.height(), rowTo); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

const QColor kVoltageTrace(0, 128, 0);
const QColor kCurrentBar(223, 48, 32);
const QColor kGray(238, 238, 238);

}  // namespace

class MainFormDisplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormRig> rig;

    QString panel(const char* name) const { return rig->find<QLabel>(name)->text(); }
    ChartView* chart(int n) const {
        return rig->find<ChartView>(QString("Pic%1").arg(n).toUtf8().constData());
    }
    QStringList allPanelTexts() const {
        QStringList texts;
        for (const auto& p : kPanels) texts << panel(p.objectName);
        return texts;
    }
    // A single measurement answered with `record`.
    void measure(const MeasureRecord& record) {
        rig->form->SeSkinSpeedButton7Click();
        rig->receive(record);
        QCOMPARE(rig->core->state.MeasureMode, MeasureMode::Idle);
    }
    // Panel1 gets this size; the window is shown so the resize reaches it at once.
    void setPane(int width, int height) {
        rig->form->show();
        rig->find<QWidget>("Panel1")->resize(width, height);
    }

  private slots:
    void init() {
        CurrentChartColours() = ChartColours{};
        ApplyWaveBackground(CurrentChartColours(), 2);
        ApplyScaleColour(CurrentChartColours(), 2);
        rig = std::make_unique<MainFormRig>();
        rig->form->setMeasureActionsEnabled(true);
        setPane(1000, 600);
    }
    void cleanup() { rig.reset(); }

    void startValuesShowEmptyPanelsAndFlatCharts() {
        rig->form->ShowMeasurement();
        QCOMPARE(panel("Panel_URMS"), QString("0.0V"));
        QCOMPARE(panel("Panel_IRMS"), QString("0.0A"));
        QCOMPARE(panel("Panel_WRMS"), QString("0.0W"));
        QCOMPARE(panel("Panel_UF"), QString("0.00Hz"));
        QCOMPARE(panel("Panel_VTHD"), QString("0.0 %"));
        QCOMPARE(panel("Panel_ITHD"), QString("0.0 %"));
        QCOMPARE(panel("Panel_UPP"), QString("0.0V"));
        for (const char* name : {"Panel_PF", "PANEL_IKF", "Panel_IPP", "Panel_PS", "Panel_VKF", "Panel_IPA",
                                 "Panel_PQ", "Panel_KWH"})
            QCOMPARE(panel(name), QString("0.0"));
        const QImage& wave = chart(1)->image();
        const int centre = (wave.height() - 6) / 2 + 2;
        // The voltage trace lies on the centre line only.
        QVERIFY(CountColour(wave, kVoltageTrace, centre - 1, centre + 2) > wave.width() / 2);
        QCOMPARE(CountColour(wave, kVoltageTrace, 0, centre - 1), 0);
        const int baseline = static_cast<int>((chart(3)->image().height() - 6) * 0.9);
        QCOMPARE(CountColour(chart(3)->image(), kCurrentBar, 0, baseline - 1), 0);  // no bar rises
        QCOMPARE(wave.pixelColor(1, 1), kGray);
    }

    void aReceivedMeasurementReachesPanelsAndCharts() {
        measure(SampleMeasurement(230.0f));
        QCOMPARE(panel("Panel_URMS"), QString("230.0V"));
        QCOMPARE(panel("Panel_UF"), QString("50.00Hz"));
        QCOMPARE(panel("Panel_VTHD"), QString("3.1 %"));
        QCOMPARE(panel("Panel_KWH"), QString("12.5"));

        const QImage& wave = chart(1)->image();
        const int centre = (wave.height() - 6) / 2 + 2;
        QVERIFY(CountColour(wave, kVoltageTrace, 0, centre - 20) > 20);  // the sine leaves the centre line
        QVERIFY(CountColour(wave, QColor(255, 0, 0), 0, centre - 20) > 10);
        const QImage& currentBars = chart(3)->image();
        QVERIFY(CountColour(currentBars, kCurrentBar, 0, currentBars.height()) > 20);
        QVERIFY(CountColour(chart(2)->image(), QColor(0, 128, 0), 0, currentBars.height()) > 20);

        // A repaint shows exactly the stored image.
        QCOMPARE(chart(1)->grab().toImage().convertToFormat(QImage::Format_RGB32), wave);
    }

    void layoutKeepsTheColumnThresholds() {
        struct Case {
            int width;
            int upeakLabel, upeakPanel, panelWidth;
        };
        // w = (W - 12) div 2, c = (w - 10) div 3
        for (const Case& c : {Case{829, 125, 172, 83}, Case{830, 143, 191, 83}, Case{929, 159, 207, 83},
                              Case{930, 159, 207, 93}}) {
            setPane(c.width, 600);
            QCOMPARE(rig->find<QWidget>("Panel1")->width(), c.width);
            QCOMPARE(rig->find<QLabel>("Label_Panel_UPP")->x(), c.upeakLabel);
            QCOMPARE(rig->find<QLabel>("Panel_UPP")->x(), c.upeakPanel);
            QCOMPARE(rig->find<QLabel>("Panel_UPP")->width(), c.panelWidth);
        }
        setPane(1000, 600);  // w = 494, h = 294, g = 274, s = 54
        QCOMPARE(rig->find<QGroupBox>("GroupBox1")->geometry(), QRect(4, 4, 494, 294));
        QCOMPARE(rig->find<QGroupBox>("GroupBox2")->geometry(), QRect(502, 4, 494, 294));
        QCOMPARE(rig->find<QGroupBox>("GroupBox3")->geometry(), QRect(4, 302, 494, 294));
        QCOMPARE(rig->find<QGroupBox>("GroupBox4")->geometry(), QRect(502, 302, 494, 294));
        QCOMPARE(rig->find<QGroupBox>("GroupBox2")->title(), QString("測量數據"));
        QCOMPARE(rig->find<QLabel>("Label_Panel_IRMS")->y(), 274 / 15 + 20 + 54);
        QCOMPARE(rig->find<QLabel>("Panel_KWH")->y(), 274 / 15 + 9 + 4 * 54);
        QCOMPARE(rig->find<QLabel>("Panel_UF")->x(), 2 * 161 + 58);
        QCOMPARE(rig->find<QLabel>("Label_Panel_UF")->text(), QString("Frequency"));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(chart(n)->geometry(), QRect(4, 16, 486, 274));
            QCOMPARE(chart(n)->image().size(), QSize(486, 274));
        }
    }

    void resizingRedrawsTheChartsAtTheNewSize() {
        measure(SampleMeasurement(120.0f));
        setPane(1400, 900);
        const QSize area((1400 - 12) / 2 - 8, (900 - 12) / 2 - 20);
        QCOMPARE(chart(1)->image().size(), area);
        QCOMPARE(chart(3)->image().size(), area);
        QCOMPARE(chart(1)->image().pixelColor(area.width() - 1, area.height() - 1), kGray);
        QVERIFY(CountColour(chart(3)->image(), kCurrentBar, 0, area.height()) > 20);
    }

    void testFileRoundTripReproducesEveryPanelAndPixel() {
        QTemporaryDir dir;
        measure(SampleMeasurement(231.5f));
        rig->core->record.bytes()[8051] = 0x5A;  // a reserved byte brought by an earlier file
        const QStringList savedTexts = allPanelTexts();
        const QImage wave = chart(1)->image(), volts = chart(2)->image(), amps = chart(3)->image();

        rig->dialogs.savePath = dir.filePath("run1.lxm");
        rig->form->SeSkinSpeedButton2Click();
        QCOMPARE(rig->dialogs.lastFilter, QString("Tavro Test File(.lxm)|*.lxm"));
        QCOMPARE(rig->dialogs.lastProposedName, QString("TestFile.lxm"));
        QVERIFY(rig->dialogs.questions.isEmpty());
        QCOMPARE(QFileInfo(rig->dialogs.savePath).size(), qint64{8052});

        measure(SampleMeasurement(12.0f));
        QVERIFY(allPanelTexts() != savedTexts);

        rig->dialogs.openPath = rig->dialogs.savePath;
        const auto modeBefore = rig->core->state.MeasureMode;
        rig->form->SeSkinSpeedButton1Click();
        QCOMPARE(rig->dialogs.lastFilter, QString("TavroFile|*.lxm|AllFile|*.*"));
        QVERIFY(rig->dialogs.errors.isEmpty());
        QCOMPARE(allPanelTexts(), savedTexts);
        QCOMPARE(chart(1)->image(), wave);
        QCOMPARE(chart(2)->image(), volts);
        QCOMPARE(chart(3)->image(), amps);
        QCOMPARE(rig->core->record.bytes()[8051], std::uint8_t{0x5A});
        QCOMPARE(rig->core->state.MeasureMode, modeBefore);
    }

    void savingOverAFileAsksOnceAndNoKeepsIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.lxm");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        rig->dialogs.savePath = path;
        rig->dialogs.answerYes = false;
        rig->form->SeSkinSpeedButton2Click();
        QCOMPARE(rig->dialogs.questions, QStringList{"File exists|  File already exists, overwrite?  "});
        QCOMPARE(QFileInfo(path).size(), qint64{3});

        rig->dialogs.answerYes = true;
        rig->form->SeSkinSpeedButton2Click();
        QCOMPARE(rig->dialogs.questions.size(), 2);
        QCOMPARE(QFileInfo(path).size(), qint64{8052});
    }

    void aShortFileChangesNothingAndIsReported() {
        measure(SampleMeasurement(50.0f));
        QTemporaryDir dir;
        const QString path = dir.filePath("short.lxm");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, '\x7f'));
        file.close();
        const auto recordBefore = rig->core->record.bytes();
        const QStringList textsBefore = allPanelTexts();
        const QImage waveBefore = chart(1)->image();

        rig->dialogs.openPath = path;
        rig->form->SeSkinSpeedButton1Click();
        QCOMPARE(rig->dialogs.errors.size(), 1);
        QVERIFY(rig->core->record.bytes() == recordBefore);
        QCOMPARE(allPanelTexts(), textsBefore);
        QCOMPARE(chart(1)->image(), waveBefore);

        rig->dialogs.openPath.clear();  // a cancelled dialog does nothing at all
        rig->form->SeSkinSpeedButton1Click();
        QCOMPARE(rig->dialogs.errors.size(), 1);
    }

    void commandLineOpensATestFileOrHandsOnARecordFile() {
        QTemporaryDir dir;
        MeasureRecord saved = SampleMeasurement(199.0f);
        const QString path = dir.filePath("start.LXM");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(saved.data()), kRecordSize);
        file.close();

        rig->form->ApplyStartFile(ParseCommandLine({path}));
        QVERIFY(rig->core->state.StartedWithFile);
        QCOMPARE(panel("Panel_URMS"), QString("199.0V"));

        QString handedOver;
        rig->form->SetRecordFileOpener([&](const QString& p) { handedOver = p; });
        rig->form->ApplyStartFile(ParseCommandLine({"/data/week.lxr"}));
        auto* mOpen = rig->find<QTimer>("MOpenTimer");
        QVERIFY(mOpen->isActive());
        QCOMPARE(mOpen->interval(), 1000);
        QVERIFY(handedOver.isEmpty());
        QVERIFY(QMetaObject::invokeMethod(mOpen, "timeout", Qt::DirectConnection));
        QVERIFY(!mOpen->isActive());
        QCOMPARE(handedOver, QString("/data/week.lxr"));
    }

    void manualAndSupportOpenWithTheDesktop() {
        QTemporaryDir folder;
        const std::string saved = ProgramFolder();
        SetProgramFolder(folder.path().toStdString());
        rig->form->N23Click();
        QCOMPARE(rig->dialogs.errors.size(), 1);  // no manual beside the program
        QVERIFY(rig->shell.documents.isEmpty());

        QDir(folder.path()).mkpath("PdfDoc");
        QFile pdf(folder.filePath("PdfDoc/Handbook.pdf"));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n");
        pdf.close();
        rig->form->N23Click();
        QCOMPARE(rig->shell.documents, QStringList{folder.filePath("PdfDoc/Handbook.pdf")});

        rig->form->Tavro1Click();
        QCOMPARE(rig->shell.urls.size(), 1);
        QVERIFY(rig->shell.urls[0].startsWith("file://"));
        QVERIFY(rig->shell.urls[0].endsWith("support/index.html"));
        SetProgramFolder(saved);
    }
    void versionWindowAndSplash() {
        TVForm version(rig->form.get());
        QCOMPARE(version.windowTitle(), QString("Version"));
        auto* enter = version.findChild<QPushButton*>("Button1");
        QVERIFY(enter);
        QCOMPARE(enter->text(), QString("Enter"));
        version.show();
        enter->click();
        QVERIFY(!version.isVisible());

        TLogoForm logo;
        QVERIFY(logo.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(logo.testAttribute(Qt::WA_TranslucentBackground));
        const QImage picture = logo.grab().toImage();
        QVERIFY(picture.pixelColor(picture.width() / 2, picture.height() / 2).alpha() >
                0);  // painted, not empty
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::MainFormDisplayTest)
#include "main_form_display_test.moc"
