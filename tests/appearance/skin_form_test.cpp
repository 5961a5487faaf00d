// The style window and the six skins: choices apply at once to open windows,
// and every skin keeps text readable (contrast 4.5 : 1 at least).
#include "appearance/skin_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "appearance/skins.h"
#include "platform/ini_file.h"
#include "support/accessibility_walk.h"
#include "support/fake_dialogs.h"

namespace lxv {
namespace {

QStringList g_parseWarnings;
void CollectWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
    if (text.contains("parse", Qt::CaseInsensitive)) g_parseWarnings << text;
}

QString SkinPath(int n) {
    return QString("%1/0%2.ats").arg(LXV_SKINS_DIR).arg(n);
}

QString ReadSkin(int n) {
    QFile file(SkinPath(n));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

double Luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colours a brush paints: a plain colour or each stop of a gradient.
QList<QColor> BrushColours(const QBrush& brush) {
    QList<QColor> colours;
    if (const QGradient* g = brush.gradient())
        for (const auto& stop : g->stops()) colours << stop.second;
    else
        colours << brush.color();
    return colours;
}

// The background that shows behind a widget: its own unless it is transparent,
// else that of the nearest ancestor that paints one.
QBrush ShownBackground(const QWidget* w) {
    for (; w; w = w->parentWidget()) {
        const QBrush brush = w->palette().brush(w->backgroundRole());
        if (brush.gradient() || brush.color().alpha() == 255) return brush;
    }
    return QBrush(Qt::white);
}

class SkinFormTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;
    test::FakeDialogs dialogs_;
    std::unique_ptr<IniFile> ini_;
    std::unique_ptr<StyleSheetSkinEngine> engine_;
    ChartColours colours_;
    std::unique_ptr<StyleControl> control_;
    std::unique_ptr<Tskin> form_;
    int redraws_ = 0;

    QRadioButton* Item(int group, int item) {
        return form_->findChild<QRadioButton*>(QString("RadioGroup%1Item%2").arg(group).arg(item));
    }

  private slots:
    void init() {
        SetAppDialogs(&dialogs_);
        QFile::remove(home_.filePath("SysSet.ini"));
        ini_ = std::make_unique<IniFile>(home_.filePath("SysSet.ini").toStdString());
        engine_ = std::make_unique<StyleSheetSkinEngine>(
            [](const std::string& sheet) { qApp->setStyleSheet(QString::fromStdString(sheet)); });
        colours_ = ChartColours{};
        control_ = std::make_unique<StyleControl>(*ini_, *engine_, colours_, [](const std::string& name) {
            return (QString(LXV_SKINS_DIR) + "/" + QString::fromStdString(name).section('\\', 1))
                .toStdString();
        });
        redraws_ = 0;
        control_->setChartsRedraw([this] { ++redraws_; });
        form_ = std::make_unique<Tskin>(*control_);
    }
    void cleanup() {
        form_.reset();
        qApp->setStyleSheet({});
        SetAppDialogs(nullptr);
    }

    void captionsItemsAndNames() {
        form_->FormCreate();
        QCOMPARE(form_->windowTitle(), QString(" Style "));
        QVERIFY(form_->isModal());
        QCOMPARE(form_->findChild<QGroupBox*>("RadioGroup1")->title(), QString("Skins"));
        QCOMPARE(form_->findChild<QGroupBox*>("RadioGroup2")->title(), QString(" Graphic background "));
        QCOMPARE(form_->findChild<QGroupBox*>("RadioGroup3")->title(), QString(" Scale color "));
        const QStringList skins = {"WINDOWS", "Skin 1", "Skin 2", "Skin 3", "Skin 4", "Skin 5", "Skin 6"};
        for (int i = 0; i < skins.size(); ++i) QCOMPARE(Item(1, i)->text(), skins[i]);
        QCOMPARE(Item(2, 2)->text(), QString(" Gray"));
        QCOMPARE(Item(3, 1)->text(), QString(" Yellow"));
        QCOMPARE(form_->findChild<QPushButton*>("Button1")->text(), QString("Close"));
        // A fresh SysSet.ini: Skin 2, gray, light black.
        QCOMPARE(form_->selectedItem(1), 2);
        QCOMPARE(form_->selectedItem(2), 2);
        QCOMPARE(form_->selectedItem(3), 2);
        QCOMPARE(test::UnnamedControls(form_.get()), QStringList());
    }

    void skinZeroSelectsWindowsAndBadValuesSelectNothing() {
        ini_->writeString("SkinSet", "Skin", "0");
        ini_->writeString("WaveSet", "WaveBackground", "5");
        form_->FormCreate();
        QVERIFY(Item(1, 0)->isChecked());
        QCOMPARE(form_->selectedItem(2), -1);
        ini_->writeString("WaveSet", "ScaleColor", "grey");
        form_->FormCreate();  // a second reading clears what no longer holds
        QCOMPARE(form_->selectedItem(3), -1);
        QCOMPARE(dialogs_.errors, QStringList{"'grey' is not a valid integer value"});
    }

    void aSkinAppliesAtOnceToOpenWindows() {
        QWidget other;
        auto* label = new QLabel("text", &other);
        other.show();
        form_->FormCreate();
        form_->show();
        const QColor plain = label->palette().color(QPalette::Window);
        QTest::mouseClick(Item(1, 3), Qt::LeftButton);
        QCOMPARE(qApp->styleSheet(), ReadSkin(3));
        QCOMPARE(ini_->readInteger("SkinSet", "Skin", -1), 3);
        QVERIFY(ShownBackground(label).color() != plain);
        QTest::mouseClick(Item(1, 0), Qt::LeftButton);
        QCOMPARE(qApp->styleSheet(), QString());
        QCOMPARE(ShownBackground(label).color(), plain);
    }

    void colourClicksRedrawTheChartsAndAreKept() {
        form_->FormCreate();
        QTest::mouseClick(Item(3, 1), Qt::LeftButton);
        QCOMPARE(redraws_, 1);
        QVERIFY(colours_.scale == (Rgb{239, 239, 0}));
        QTest::mouseClick(Item(2, 1), Qt::LeftButton);
        QCOMPARE(redraws_, 2);
        QVERIFY(colours_.background == (Rgb{255, 255, 255}));
        QCOMPARE(ini_->readInteger("WaveSet", "ScaleColor", -1), 1);
        QCOMPARE(ini_->readInteger("WaveSet", "WaveBackground", -1), 1);
        form_->show();
        QTest::mouseClick(form_->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QVERIFY(!form_->isVisible());
    }

    void everySkinKeepsTextReadable_data() {
        QTest::addColumn<int>("skin");
        for (int n = 1; n <= kSkinCount; ++n) QTest::addRow("Skin %d", n) << n;
    }
    void everySkinKeepsTextReadable() {
        QFETCH(int, skin);
        const QString sheet = ReadSkin(skin);
        QVERIFY2(!sheet.isEmpty(), qPrintable(SkinPath(skin)));
        g_parseWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
        qApp->setStyleSheet(sheet);

        QMainWindow window;
        QMenu* menu = window.menuBar()->addMenu("File");
        menu->addAction("Open");
        QToolBar* tools = window.addToolBar("Tools");
        auto* toolButton = new QToolButton;
        toolButton->setText("Single");
        tools->addWidget(toolButton);
        auto* status = new QLabel("Communication success!");
        window.statusBar()->addWidget(status);
        auto* central = new QWidget;
        window.setCentralWidget(central);
        auto* box = new QGroupBox("Values", central);
        auto* layout = new QVBoxLayout(box);
        auto* table = new QTableWidget(2, 2);
        table->setItem(0, 0, new QTableWidgetItem("1.0"));
        auto* combo = new QComboBox;
        combo->addItem("9600");
        auto* progress = new QProgressBar;
        progress->setValue(30);
        const QList<QWidget*> fields = {new QLabel("Voltage"),
                                        new QPushButton("Close"),
                                        new QLineEdit("230"),
                                        combo,
                                        new QSpinBox,
                                        new QCheckBox("On"),
                                        new QRadioButton("A"),
                                        table,
                                        progress};
        for (QWidget* w : fields) layout->addWidget(w);
        (new QVBoxLayout(central))->addWidget(box);
        window.show();
        menu->show();

        QList<QWidget*> checked = fields;
        checked << box << toolButton << status << window.menuBar() << window.statusBar() << menu << central;
        for (QWidget* w : checked) {
            w->ensurePolished();
            const QColor text = w->palette().color(w->foregroundRole());
            for (const QColor& back : BrushColours(ShownBackground(w))) {
                const double ratio = Contrast(text, back);
                QVERIFY2(ratio >= 4.5,
                         qPrintable(QString("%1: %2 on %3 is %4 : 1")
                                        .arg(w->metaObject()->className(), text.name(), back.name())
                                        .arg(ratio, 0, 'f', 2)));
            }
        }
        // Selected text in fields and tables.
        for (QWidget* w : {fields[2], static_cast<QWidget*>(table)}) {
            const QPalette p = w->palette();
            QVERIFY(Contrast(p.color(QPalette::HighlightedText), p.color(QPalette::Highlight)) >= 4.5);
        }
        // The skin restyled the window: its background is not the plain one.
        QVERIFY(window.palette().color(QPalette::Window) !=
                QApplication::style()->standardPalette().color(QPalette::Window));
        menu->hide();
        qInstallMessageHandler(previous);
        QCOMPARE(g_parseWarnings, QStringList());
    }
};

}  // namespace
}  // namespace lxv

QTEST_MAIN(lxv::SkinFormTest)
#include "skin_form_test.moc"
