#include "app/main_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QGroupBox>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/chart_view.h"
#include "appearance/tool_glyphs.h"
#include "platform/accessible_value.h"
#include "platform/translation.h"
#include "session/session.h"

namespace lxv {

UiText MeasurementDateText() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return UiText(QT_TRANSLATE_NOOP("lxv", "Date: %1"))
        .arg((locale.toString(now.date(), QLocale::ShortFormat) + " " +
              locale.toString(now.time(), QLocale::ShortFormat))
                 .toStdString());
}

int ProgressSteps(int received, int expected) {
    constexpr int kSteps = 50;
    if (expected <= 0) return kSteps;
    if (received >= expected) return kSteps;
    return received < 0 ? 0 : static_cast<int>(static_cast<long long>(received) * kSteps / expected);
}

TMainForm::TMainForm(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), control_(session.measure) {
    setObjectName("MainForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "LXV7700 Power Analyser"));
    resize(1000, 680);

    MOpenTimer_.setObjectName("MOpenTimer");
    MOpenTimer_.setInterval(1000);
    // Children by object tree, so tests and tools can find them by name.
    MOpenTimer_.setParent(this);
    connect(&MOpenTimer_, &QTimer::timeout, this, &TMainForm::MOpenTimerTimer);

    BuildControls();
    BuildStatusBar();
    BuildPanes();
    ApplyActionStates();

    SessionCore& core = session_.core;
    core.status.subscribeText([this](int panel, const UiText& text) {
        if (panel < 0 || panel >= static_cast<int>(statusPanels_.size())) return;
        QLabel* label = statusPanels_[static_cast<std::size_t>(panel)];
        if (!label) return;
        texts_->text(label, text);
        emit statusPanelChanged(panel, label->text());
    });
    measureListener_ = core.measurements.subscribe([this](const MeasureRecord&) {
        ShowMeasurement();
        session_.core.status.set(4, MeasurementDateText());
    });
    control_.setEffectsHandler([this](const CycleEffects& fx) { Apply(fx); });
    connect(&session_, &Session::measureActionsChanged, this, &TMainForm::ApplyActionStates);
    connect(&session_.receiver, &ReplyReceiver::progress, this, [this](int received, int expected) {
        ProgressBar1_->setValue(ProgressSteps(received, expected));
    });

    ApplyLayout();
}

TMainForm::~TMainForm() {
    control_.setEffectsHandler({});
    session_.core.measurements.unsubscribe(measureListener_);
    // The timers are members; take them out of the object tree before it deletes children.
    MOpenTimer_.setParent(nullptr);
}

std::function<void()> TMainForm::OwnHandler(Command command) {
    switch (command) {
        case Command::OpenTestFile: return [this] { SeSkinSpeedButton1Click(); };
        case Command::SaveTestFile: return [this] { SeSkinSpeedButton2Click(); };
        case Command::Close: return [this] { N7Click(); };
        case Command::Single: return [this] { SeSkinSpeedButton7Click(); };
        case Command::Continuous: return [this] { SeSkinSpeedButton8Click(); };
        case Command::Stop: return [this] { SeSkinSpeedButton9Click(); };
        case Command::Manual: return [this] { N23Click(); };
        case Command::Support: return [this] { Tavro1Click(); };
        default: return {};  // another window's, attached by windows.cpp
    }
}

void TMainForm::BuildControls() {
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    texts_->refresh(bar, 100, [bar] { bar->setWindowTitle(Translated(QT_TRANSLATE_NOOP("lxv", "Tools"))); });
    QMenu* menu = nullptr;
    for (const MainControl& c : MainWindowControls()) {
        switch (c.kind) {
            case MainControl::Menu:
                menu = menuBar()->addMenu(QString());
                menu->setObjectName(c.name);
                texts_->title(menu, c.caption);
                break;
            case MainControl::MenuSeparator: menu->addSeparator(); break;
            case MainControl::ToolSeparator: bar->addSeparator(); break;
            case MainControl::Item: {
                QAction* item = menu->addAction(QString());
                item->setObjectName(c.name);
                if (c.meaning) {
                    const char* source = c.caption;
                    const char* meaning = c.meaning;
                    texts_->refresh(item, 102, [item, source, meaning] {
                        item->setText(QCoreApplication::translate(kTextContext, source, meaning));
                    });
                } else {
                    texts_->text(item, c.caption);
                }
                if (c.key != QKeyCombination()) item->setShortcut(QKeySequence(c.key));
                item->setVisible(!c.hidden);
                commandControls_.emplace_back(c.command, item);
                if (auto own = OwnHandler(c.command))
                    connect(item, &QAction::triggered, this, own);
                else
                    item->setEnabled(false);  // until its window is attached
                break;
            }
            case MainControl::Button: {
                auto* button = new QToolButton(this);
                button->setObjectName(c.name);
                texts_->text(button, c.caption);
                if (c.accessibleName) texts_->accessibleName(button, c.accessibleName);
                button->setIcon(GlyphIcon(c.glyph));
                button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                button->setAutoRaise(true);
                bar->addWidget(button);
                const int number = QString(c.name).remove("SeSkinSpeedButton").toInt();
                if (number > 0 && number < static_cast<int>(buttons_.size()))
                    buttons_[static_cast<std::size_t>(number)] = button;
                commandControls_.emplace_back(c.command, button);
                if (auto own = OwnHandler(c.command))
                    connect(button, &QToolButton::clicked, this, own);
                else
                    button->setEnabled(false);
                break;
            }
        }
    }
    NameToolBarExtension(bar);

    N12_ = findChild<QAction*>("N12");
    N13_ = findChild<QAction*>("N13");
    N14_ = findChild<QAction*>("N14");
    C1_ = findChild<QAction*>("C1");
    // A tool button tells its menu item's caption and shortcut, in the language in use.
    for (const auto& [command, control] : commandControls_) {
        auto* button = qobject_cast<QToolButton*>(control);
        if (!button) continue;
        for (const auto& [twinCommand, twinControl] : commandControls_) {
            auto* twin = qobject_cast<QAction*>(twinControl);
            if (!twin || twinCommand != command || twin->shortcut().isEmpty()) continue;
            texts_->refresh(button, 101, [button, twin] {
                button->setToolTip(WithoutMnemonics(twin->text()) + " (" +
                                   twin->shortcut().toString(QKeySequence::NativeText) + ")");
            });
            break;
        }
    }
}

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    const std::array<const char*, 6> texts = {QT_TRANSLATE_NOOP("lxv", "Connection: Connecting"),
                                              QT_TRANSLATE_NOOP("lxv", "Status: not synchronized"),
                                              QT_TRANSLATE_NOOP("lxv", "Communication:"),
                                              "",
                                              QT_TRANSLATE_NOOP("lxv", "Date:"),
                                              ""};
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        if (i == 3 || i == 5) continue;
        auto* label = new QLabel(bar);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        statusPanels_[i] = label;
        texts_->text(label, texts[i]);
    }
    statusPanels_[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    texts_->refresh(bar, 100, [this] { FitStatusPanels(); });

    ProgressBar1_ = new QProgressBar(bar);
    ProgressBar1_->setObjectName("ProgressBar1");
    ProgressBar1_->setRange(0, 50);
    ProgressBar1_->setValue(0);
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setFixedWidth(124);
    texts_->accessibleName(ProgressBar1_, QT_TRANSLATE_NOOP("lxv", "Communication progress"));

    auto* link = new QToolButton(bar);
    link->setObjectName("Image1");
    link->setIcon(GlyphIcon(Glyph::Web));
    link->setAutoRaise(true);
    texts_->toolTipAndName(
        link, QT_TRANSLATE_NOOP("lxv", "支援網路"));  // a picture-only button is named by what it does
    connect(link, &QToolButton::clicked, this, &TMainForm::Tavro1Click);

    bar->addWidget(statusPanels_[0]);
    bar->addWidget(statusPanels_[1]);
    bar->addWidget(statusPanels_[2]);
    bar->addWidget(ProgressBar1_);
    bar->addWidget(statusPanels_[4], 1);
    bar->addWidget(link);
}

void TMainForm::FitStatusPanels() {
    // The panel widths of the layout, widened where our font needs more for the
    // panel's longest text in the language in use, so no status text is cut off.
    const std::array<int, 3> widths = {200, 160, 90};
    const std::array<const char*, 3> longest = {kReRequestText,
                                                QT_TRANSLATE_NOOP("lxv", "Status: not synchronized"),
                                                QT_TRANSLATE_NOOP("lxv", "Communication:")};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        QLabel* label = statusPanels_[i];
        label->setFixedWidth(
            std::max(widths[i], label->fontMetrics().horizontalAdvance(Translated(longest[i])) + 8));
    }
}

void TMainForm::BuildPanes() {
    Panel1_ = new QWidget(this);
    Panel1_->setObjectName("Panel1");
    setCentralWidget(Panel1_);
    Panel1_->installEventFilter(this);

    const std::array<const char*, 4> titles = {
        QT_TRANSLATE_NOOP("lxv", "採樣波形"), QT_TRANSLATE_NOOP("lxv", "測量數據"),
        QT_TRANSLATE_NOOP("lxv", "電壓諧波 "), QT_TRANSLATE_NOOP("lxv", "電流諧波")};
    for (std::size_t i = 0; i < groupBoxes_.size(); ++i) {
        groupBoxes_[i] = new QGroupBox(Panel1_);
        groupBoxes_[i]->setObjectName(QString("GroupBox%1").arg(i + 1));
        texts_->title(groupBoxes_[i], titles[i]);
    }
    const std::array<std::size_t, 3> chartBox = {0, 2, 3};
    for (std::size_t i = 0; i < charts_.size(); ++i)
        charts_[i] = new ChartView(QString("Pic%1").arg(i + 1), groupBoxes_[chartBox[i]]);

    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        captions_[i] = new QLabel(groupBoxes_[1]);
        captions_[i]->setObjectName(QString("Label_%1").arg(kPanels[i].objectName));
        valuePanels_[i] = new QLabel(groupBoxes_[1]);
        valuePanels_[i]->setObjectName(kPanels[i].objectName);
        valuePanels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        valuePanels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel* caption = captions_[i];
        QLabel* value = valuePanels_[i];
        const char* source = kPanels[i].caption;
        texts_->refresh(caption, 100, [this, caption, value, source] {
            caption->setText(Translated(source));
            caption->adjustSize();
            SetValueCaption(value, Translated(source).trimmed());  // "Voltage: 220.0V"
        });
    }
}

void TMainForm::setStatusPanelText(int panel, const QString& text) {
    session_.core.status.set(panel, text.toStdString());
}

QString TMainForm::statusPanelText(int panel) const {
    if (panel < 0 || panel >= static_cast<int>(statusPanels_.size())) return {};
    const QLabel* label = statusPanels_[static_cast<std::size_t>(panel)];
    return label ? label->text() : QString();
}

void TMainForm::setMeasureActionsEnabled(bool enabled) {
    control_.SetPortReady(enabled);
    ApplyActionStates();
}

void TMainForm::Attach(Command command, std::function<void()> open) {
    for (const auto& [c, control] : commandControls_) {
        if (c != command) continue;
        if (auto* item = qobject_cast<QAction*>(control)) {
            connect(item, &QAction::triggered, this, open);
            item->setEnabled(true);
            item->setVisible(true);
        } else if (auto* button = qobject_cast<QToolButton*>(control)) {
            connect(button, &QToolButton::clicked, this, open);
            button->setEnabled(true);
        }
    }
}

QToolButton* TMainForm::toolButton(int number) const {
    if (number < 1 || number >= static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<std::size_t>(number)];
}

void TMainForm::SetVersionForm(QDialog* form) {
    if (form) Attach(Command::Version, [form] { form->exec(); });
}

void TMainForm::SetCommForm(QDialog* form) {
    if (!form) return;
    commAttached_ = true;
    connect(C1_, &QAction::triggered, form, [form] { form->exec(); });
    ApplyActionStates();
}

void TMainForm::SetRecordFileOpener(std::function<void(const QString&)> opener) {
    recordOpener_ = std::move(opener);
}

void TMainForm::ApplyActionStates() {
    const MeasureActions& a = control_.actions();
    buttons_[7]->setEnabled(a.button7);
    buttons_[8]->setEnabled(a.button8);
    buttons_[9]->setEnabled(a.button9);
    N12_->setEnabled(a.n12);
    N13_->setEnabled(a.n13);
    N14_->setEnabled(a.n14);
    C1_->setEnabled(a.c1 && commAttached_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    control_.Stop();
    control_.SendClosingNotice();
    event->accept();
    emit closed();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1_ && event->type() == QEvent::Resize) {
        ApplyLayout();
        ShowMeasurement();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace lxv
