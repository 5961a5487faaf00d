// The accessible-name walk, on controls made for the purpose and on the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/main_form_fixture.h"
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
        // Unnamed: a picture-only button with just a tooltip, a field, a spin box, a list, a slider.
        auto* picture = static_cast<QToolButton*>(add(new QToolButton, "pictureButton"));
        picture->setToolTip("Support");
        add(new QLineEdit, "bareEdit");
        add(new QSpinBox, "bareSpin");
        add(new QListWidget, "bareList");
        add(new QSlider, "bareSlider");
        add(new QScrollBar, "bareScroll");
        // Not counted: hidden or disabled.
        add(new QLineEdit, "hiddenEdit")->hide();
        add(new QLineEdit, "disabledEdit")->setEnabled(false);
        // A label with an empty text names nothing.
        auto* emptyLabel = new QLabel;
        layout->addWidget(emptyLabel);
        emptyLabel->setBuddy(add(new QLineEdit, "emptyBuddyEdit"));

        QStringList unnamed = UnnamedControls(&root);
        unnamed.sort();
        QCOMPARE(unnamed, QStringList({"QLineEdit bareEdit", "QLineEdit emptyBuddyEdit",
                                       "QListWidget bareList", "QScrollBar bareScroll", "QSlider bareSlider",
                                       "QSpinBox bareSpin", "QToolButton pictureButton"}));
    }

    void everyControlOfTheMainWindowHasAName() {
        MainFormRig rig;
        rig.form->show();
        QCOMPARE(UnnamedControls(rig.form.get()), QStringList());
        // The globe is named by what it does, as its tooltip says.
        auto* globe = rig.form->findChild<QToolButton*>("Image1");
        QVERIFY(globe);
        QCOMPARE(globe->accessibleName(), globe->toolTip());
    }
};

}  // namespace lxv::test

QTEST_MAIN(lxv::test::AccessibilityTest)
#include "accessibility_test.moc"
