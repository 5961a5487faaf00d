// The accessibility walk, on controls made for the purpose and on the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/main_form_fixture.h"
#include "platform/accessible_value.h"
#include "support/accessibility_walk.h"

namespace lxv::test {

class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void theWalkFindsExactlyTheUnnamedControls() {
        QWidget root;
        auto* layout = new QVBoxLayout(&root);
        auto add = [&](QWidget* w, const char* name) {
            w->setObjectName(name);
            layout->addWidget(w);
            return w;
        };
        // Named: by accessible name, by text, by a label's buddy.
        add(new QLineEdit, "namedEdit")->setAccessibleName("Voltage");
        add(new QCheckBox("On"), "textCheck");
        auto* buddyLabel = new QLabel("&Port:");
        layout->addWidget(buddyLabel);
        buddyLabel->setBuddy(add(new QComboBox, "buddyCombo"));
        auto* editable = static_cast<QComboBox*>(add(new QComboBox, "editableCombo"));
        editable->setEditable(true);  // its inner line edit is named through the combo box
        editable->setAccessibleName("Address");
        // Unnamed: a picture-only button with just a tooltip, a field, a spin box, a list, a
        // slider, a scroll bar; hidden or disabled, a screen reader lists them all the same.
        auto* picture = static_cast<QToolButton*>(add(new QToolButton, "pictureButton"));
        picture->setToolTip("Support");
        add(new QLineEdit, "bareEdit");
        add(new QSpinBox, "bareSpin");
        add(new QListWidget, "bareList");
        add(new QSlider, "bareSlider");
        add(new QScrollBar, "bareScroll");
        add(new QProgressBar, "bareProgress");
        add(new QLineEdit, "hiddenEdit")->hide();
        add(new QLineEdit, "disabledEdit")->setEnabled(false);
        // A label with an empty text names nothing.
        auto* emptyLabel = new QLabel;
        layout->addWidget(emptyLabel);
        emptyLabel->setBuddy(add(new QLineEdit, "emptyBuddyEdit"));
        root.show();

        QStringList unnamed = UnnamedControls(&root);
        unnamed.sort();
        QCOMPARE(unnamed,
                 QStringList({"QLineEdit bareEdit", "QLineEdit disabledEdit", "QLineEdit emptyBuddyEdit",
                              "QLineEdit hiddenEdit", "QListWidget bareList", "QProgressBar bareProgress",
                              "QScrollBar bareScroll", "QSlider bareSlider", "QSpinBox bareSpin",
                              "QToolButton pictureButton"}));
    }

    // A label or status bar that shows a value must be read with it.
    void theWalkFindsTheValuesAScreenReaderCannotRead() {
        QWidget root;
        auto* layout = new QVBoxLayout(&root);
        auto label = [&](const char* name, const QString& text) {
            auto* l = new QLabel(text);
            l->setObjectName(name);
            layout->addWidget(l);
            return l;
        };
        label("plain", "230.0V");                                              // read as its text
        label("fixedName", "Testing completed")->setAccessibleName("Status");  // hides it
        label("captioned", "230.0V")->setAccessibleName("Voltage: 230.0V");
        QLabel* kept = label("keptCurrent", "0");
        SetValueCaption(kept, "Phase");
        kept->setText("12.5");                             // "Phase: 12.5", whoever set the text
        label("arrow", "▼")->setAccessibleName("Cursor");  // no letter or digit: no value
        label("rich", "<b>Version 1</b>");
        auto* bar = new QStatusBar;
        bar->setObjectName("bar");
        layout->addWidget(bar);
        bar->showMessage("Successful synchronization");
        root.show();
        QCOMPARE(QAccessible::queryAccessibleInterface(kept)->text(QAccessible::Name),
                 QString("Phase: 12.5"));
        QCOMPARE(HiddenValues(&root), QStringList({"QLabel fixedName 'Testing completed' read as 'Status'"}));
    }

    void everyControlOfTheMainWindowHasAName() {
        MainFormRig rig;
        rig.form->show();
        QCOMPARE(UnnamedControls(rig.form.get()), QStringList());
        // The fifteen panels are read with their captions and current values.
        rig.receive(SampleMeasurement(230.0f));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(rig.find<QLabel>("Panel_URMS"))->text(QAccessible::Name),
            QString("Voltage: ") + rig.find<QLabel>("Panel_URMS")->text());
        QCOMPARE(HiddenValues(rig.form.get()), QStringList());
        // The globe is named by what it does, as its tooltip says.
        auto* globe = rig.form->findChild<QToolButton*>("Image1");
        QVERIFY(globe);
        QCOMPARE(globe->accessibleName(), globe->toolTip());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::AccessibilityTest)
#include "accessibility_test.moc"
