// The style as the program wires it: the saved skin before the main window
// shows, the style window from its menu item and shortcut, chart colours that
// redraw the main window at once, and a skin file that cannot be read.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/chart_view.h"
#include "app/main_form.h"
#include "app/windows.h"
#include "appearance/skin_form.h"
#include "platform/app_paths.h"
#include "platform/ini_file.h"
#include "session/session.h"
#include "support/fake_dialogs.h"
#include "support/fake_serial_port.h"
#include "support/manual_timers.h"

namespace lxv::test {

class WindowsStyleTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home_;
    FakeSerialPort port_;
    FakeDialogs dialogs_;
    ManualTimers timers_;
    std::unique_ptr<IniFile> sysSet_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Windows> windows_;

    void Start(const char* skin) {
        home_ = std::make_unique<QTemporaryDir>();
        SetAppDialogs(&dialogs_);
        sysSet_ = std::make_unique<IniFile>(home_->filePath("SysSet.ini").toStdString());
        if (skin) sysSet_->writeString("SkinSet", "Skin", skin);
        session_ = std::make_unique<Session>(port_, *sysSet_, timers_);
        windows_ = std::make_unique<Windows>(*session_, *sysSet_, QStringList{});
    }
    static QString Sheet(int n) {
        QFile file(QString::fromStdString(DataFilePath(SkinFileName(n))));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString("(unreadable)");
    }

  private slots:
    void cleanup() {
        windows_.reset();
        session_.reset();
        qApp->setStyleSheet({});
        SetProgramFolder("");
        SetAppDialogs(nullptr);
    }

    void theSavedSkinIsOnBeforeTheMainWindowShows() {
        Start("3");
        QVERIFY(!windows_->main().isVisible());
        QCOMPARE(qApp->styleSheet(), Sheet(3));
        QAction* item = windows_->main().findChild<QAction*>("N9");
        QVERIFY(item->isEnabled());
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
    }

    void skinZeroStartsPlain() {
        Start("0");
        QCOMPARE(qApp->styleSheet(), QString());
        auto* skin = windows_->main().findChild<Tskin*>();
        QVERIFY(skin);
        QCOMPARE(skin->selectedItem(1), 0);
    }

    void theStyleWindowOpensModallyAndAColourRedrawsTheChartsAtOnce() {
        Start(nullptr);
        TMainForm& main = windows_->main();
        main.show();
        ChartView* wave = main.findChild<ChartView*>("Pic1");
        QCOMPARE(wave->image().pixelColor(1, 1), QColor(238, 238, 238));
        // The window runs its own event loop: look into it from there, then close it.
        bool modal = false;
        QColor afterClick;
        QTimer::singleShot(0, this, [&] {
            QWidget* shown = QApplication::activeModalWidget();
            auto* skin = qobject_cast<Tskin*>(shown);
            modal = skin != nullptr;
            if (skin) {
                skin->findChild<QRadioButton*>("RadioGroup2Item1")->click();  // " White"
                afterClick = wave->image().pixelColor(1, 1);
            }
            if (shown) shown->close();
        });
        main.findChild<QAction*>("N9")->trigger();
        QVERIFY(modal);
        QCOMPARE(afterClick, QColor(255, 255, 255));
    }

    void anUnreadableSkinFileLeavesThePlainLookAndIsToldInTheStatusBar() {
        QTemporaryDir program;
        std::filesystem::create_directories(program.filePath("SkinsFile/04.ats").toStdString());  // a folder
        SetProgramFolder(program.path().toStdString());
        Start("4");
        QCOMPARE(qApp->styleSheet(), QString());
        const std::string path = DataFilePath(SkinFileName(4));
        QCOMPARE(windows_->main().statusPanelText(0), QString::fromStdString(SkinFailureText(path)));
        QCOMPARE(sysSet_->readInteger("SkinSet", "Skin", -1), 4);
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::WindowsStyleTest)
#include "windows_style_test.moc"
