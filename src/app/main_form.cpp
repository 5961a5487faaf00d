#include "app/main_form.h"

#include <QCloseEvent>
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
#include "app/tool_glyphs.h"
#include "platform/accessible_value.h"
#include "session/session.h"

namespace lxv {

QString MeasurementDateText() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return "Date: " + locale.toString(now.date(), QLocale::ShortFormat) + " " +
           locale.toString(now.time(), QLocale::ShortFormat);
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
    setWindowTitle("LXV7700 Power Analyser");
    resize(1000, 680);

    ContinuousReadTimer_.setObjectName("ContinuousReadTimer");
    ContinuousReadTimer_.setInterval(kContinuousReadMs);
    ReReadTimer_.setObjectName("ReReadTimer");
    ReReadTimer_.setInterval(2000);
    MOpenTimer_.setObjectName("MOpenTimer");
    MOpenTimer_.setInterval(1000);
    // Children by object tree, so tests and tools can find them by name.
    ContinuousReadTimer_.setParent(this);
    ReReadTimer_.setParent(this);
    MOpenTimer_.setParent(this);
    connect(&ContinuousReadTimer_, &PreciseTimer::timeout, this, &TMainForm::ContinuousReadTimerTimer);
    connect(&ReReadTimer_, &QTimer::timeout, this, &TMainForm::ReReadTimerTimer);
    connect(&MOpenTimer_, &QTimer::timeout, this, &TMainForm::MOpenTimerTimer);

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildPanes();
    ApplyActionStates();

    SessionCore& core = session_.core;
    core.status.subscribe([this](int panel, const std::string& text) {
        if (panel < 0 || panel >= static_cast<int>(statusPanels_.size())) return;
        QLabel* label = statusPanels_[static_cast<std::size_t>(panel)];
        if (!label) return;
        const QString shown = QString::fromStdString(text);
        label->setText(shown);
        emit statusPanelChanged(panel, shown);
    });
    measureListener_ = core.measurements.subscribe([this](const MeasureRecord&) {
        ShowMeasurement();
        setStatusPanelText(4, MeasurementDateText());
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
    ContinuousReadTimer_.setParent(nullptr);
    ReReadTimer_.setParent(nullptr);
    MOpenTimer_.setParent(nullptr);
}

QAction* TMainForm::MenuItem(QMenu* menu, const char* name, const QString& caption, QKeySequence key) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
}

void TMainForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu("檔案");
    file->setObjectName("MenuFile");
    N2_ = MenuItem(file, "N2", "開啟舊檔", QKeySequence(Qt::CTRL | Qt::Key_O));
    N3_ = MenuItem(file, "N3", "保存", QKeySequence(Qt::CTRL | Qt::Key_S));
    N5_ = MenuItem(file, "N5", "列印", QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    N7_ = MenuItem(file, "N7", "關閉", QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* measure = menuBar()->addMenu("測量");
    measure->setObjectName("MenuMeasure");
    N12_ = MenuItem(measure, "N12", "單次測量", QKeySequence(Qt::Key_F5));
    N13_ = MenuItem(measure, "N13", "連續測量", QKeySequence(Qt::Key_F6));
    N14_ = MenuItem(measure, "N14", "停止", QKeySequence(Qt::Key_F7));
    measure->addSeparator();
    N15_ = MenuItem(measure, "N15", "啟動測量");
    N18_ = MenuItem(measure, "N18", "諧波報告");
    N20_ = MenuItem(measure, "N20", "記錄");

    QMenu* settings = menuBar()->addMenu("設置");
    settings->setObjectName("MenuSettings");
    C1_ = MenuItem(settings, "C1", "程式通訊設置 ", QKeySequence(Qt::CTRL | Qt::Key_K));
    N9_ = MenuItem(settings, "N9", "風格");
    N30_ = MenuItem(settings, "N30", "儀器設置");
    N25_ = MenuItem(settings, "N25", "校正");
    N25_->setVisible(false);
    N34_ = MenuItem(settings, "N34", "儀器通訊設置");
    N34_->setVisible(false);

    QMenu* help = menuBar()->addMenu("說明");
    help->setObjectName("MenuHelp");
    N23_ = MenuItem(help, "N23", "儀器手冊", QKeySequence(Qt::Key_F1));
    Tavro1_ = MenuItem(help, "Tavro1", "支援網路");
    N21_ = MenuItem(help, "N21", "版本號", QKeySequence(Qt::SHIFT | Qt::Key_F1));

    connect(N2_, &QAction::triggered, this, &TMainForm::SeSkinSpeedButton1Click);
    connect(N3_, &QAction::triggered, this, &TMainForm::SeSkinSpeedButton2Click);
    connect(N7_, &QAction::triggered, this, &TMainForm::N7Click);
    connect(N12_, &QAction::triggered, this, &TMainForm::SeSkinSpeedButton7Click);
    connect(N13_, &QAction::triggered, this, &TMainForm::SeSkinSpeedButton8Click);
    connect(N14_, &QAction::triggered, this, &TMainForm::SeSkinSpeedButton9Click);
    connect(N23_, &QAction::triggered, this, &TMainForm::N23Click);
    connect(Tavro1_, &QAction::triggered, this, &TMainForm::Tavro1Click);

    // Items of other windows stay disabled until their window is attached.
    for (QAction* absent : {N5_, N9_, N15_, N18_, N20_, N25_, N30_, N34_, N21_}) absent->setEnabled(false);
}

QToolButton* TMainForm::ToolButton(int number, const QString& caption, int glyph) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString("SeSkinSpeedButton%1").arg(number));
    button->setText(caption);
    button->setIcon(GlyphIcon(static_cast<Glyph>(glyph)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    buttons_[static_cast<std::size_t>(number)] = button;
    return button;
}

void TMainForm::BuildToolBar() {
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->addWidget(ToolButton(1, "開啟舊檔", static_cast<int>(Glyph::Open)));
    bar->addWidget(ToolButton(2, "保存", static_cast<int>(Glyph::Save)));
    bar->addWidget(ToolButton(3, "列印", static_cast<int>(Glyph::Print)));
    bar->addSeparator();
    bar->addWidget(ToolButton(7, "單次測量", static_cast<int>(Glyph::Single)));
    bar->addWidget(ToolButton(8, "連續測量", static_cast<int>(Glyph::Continuous)));
    bar->addWidget(ToolButton(9, "停止", static_cast<int>(Glyph::Stop)));
    bar->addSeparator();
    bar->addWidget(ToolButton(10, "啟動測量", static_cast<int>(Glyph::Starting)));
    bar->addWidget(ToolButton(6, "諧波報告", static_cast<int>(Glyph::Harmonic)));
    bar->addWidget(ToolButton(11, "諧波測試", static_cast<int>(Glyph::HarmonicTest)));
    bar->addWidget(ToolButton(5, "記錄", static_cast<int>(Glyph::Record)));
    bar->addSeparator();
    bar->addWidget(ToolButton(4, "版本號", static_cast<int>(Glyph::Version)));
    NameToolBarExtension(bar);

    for (int n : {1, 2, 4, 7, 8, 9}) {
        QAction* twin = n == 1 ? N2_ : n == 2 ? N3_ : n == 4 ? N21_ : n == 7 ? N12_ : n == 8 ? N13_ : N14_;
        buttons_[static_cast<std::size_t>(n)]->setToolTip(
            twin->text() + " (" + twin->shortcut().toString(QKeySequence::NativeText) + ")");
    }
    connect(buttons_[1], &QToolButton::clicked, this, &TMainForm::SeSkinSpeedButton1Click);
    connect(buttons_[2], &QToolButton::clicked, this, &TMainForm::SeSkinSpeedButton2Click);
    connect(buttons_[7], &QToolButton::clicked, this, &TMainForm::SeSkinSpeedButton7Click);
    connect(buttons_[8], &QToolButton::clicked, this, &TMainForm::SeSkinSpeedButton8Click);
    connect(buttons_[9], &QToolButton::clicked, this, &TMainForm::SeSkinSpeedButton9Click);
    for (int absent : {3, 4, 5, 6, 10, 11}) buttons_[static_cast<std::size_t>(absent)]->setEnabled(false);
}

void TMainForm::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(false);
    const std::array<int, 6> widths = {200, 160, 90, 124, 0, 0};
    const std::array<const char*, 6> longest = {
        kReRequestText, "Status: not synchronized", "Communication:", "", "", ""};
    const std::array<const char*, 6> texts = {
        "Connection: Connecting", "Status: not synchronized", "Communication:", "", "Date:", ""};
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        if (i == 3 || i == 5) continue;
        auto* label = new QLabel(texts[i], bar);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        // The panel widths of the layout, widened where our font needs more for the
        // panel's longest text, so no status text is cut off.
        if (widths[i] > 0)
            label->setFixedWidth(std::max(widths[i], label->fontMetrics().horizontalAdvance(longest[i]) + 8));
        statusPanels_[i] = label;
    }
    statusPanels_[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    ProgressBar1_ = new QProgressBar(bar);
    ProgressBar1_->setObjectName("ProgressBar1");
    ProgressBar1_->setRange(0, 50);
    ProgressBar1_->setValue(0);
    ProgressBar1_->setTextVisible(false);
    ProgressBar1_->setFixedWidth(124);
    ProgressBar1_->setAccessibleName("Communication progress");

    auto* link = new QToolButton(bar);
    link->setObjectName("Image1");
    link->setIcon(GlyphIcon(Glyph::Web));
    link->setAutoRaise(true);
    link->setToolTip("支援網路");
    link->setAccessibleName(link->toolTip());  // a picture-only button is named by what it does
    connect(link, &QToolButton::clicked, this, &TMainForm::Tavro1Click);

    bar->addWidget(statusPanels_[0]);
    bar->addWidget(statusPanels_[1]);
    bar->addWidget(statusPanels_[2]);
    bar->addWidget(ProgressBar1_);
    bar->addWidget(statusPanels_[4], 1);
    bar->addWidget(link);
}

void TMainForm::BuildPanes() {
    Panel1_ = new QWidget(this);
    Panel1_->setObjectName("Panel1");
    setCentralWidget(Panel1_);
    Panel1_->installEventFilter(this);

    const std::array<const char*, 4> titles = {"採樣波形", "測量數據", "電壓諧波 ", "電流諧波"};
    for (std::size_t i = 0; i < groupBoxes_.size(); ++i) {
        groupBoxes_[i] = new QGroupBox(titles[i], Panel1_);
        groupBoxes_[i]->setObjectName(QString("GroupBox%1").arg(i + 1));
    }
    const std::array<std::size_t, 3> chartBox = {0, 2, 3};
    for (std::size_t i = 0; i < charts_.size(); ++i)
        charts_[i] = new ChartView(QString("Pic%1").arg(i + 1), groupBoxes_[chartBox[i]]);

    for (std::size_t i = 0; i < kPanels.size(); ++i) {
        captions_[i] = new QLabel(kPanels[i].caption, groupBoxes_[1]);
        captions_[i]->setObjectName(QString("Label_%1").arg(kPanels[i].objectName));
        valuePanels_[i] = new QLabel(groupBoxes_[1]);
        valuePanels_[i]->setObjectName(kPanels[i].objectName);
        valuePanels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        valuePanels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetValueCaption(valuePanels_[i], QString(kPanels[i].caption).trimmed());  // "Voltage: 220.0V"
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

void TMainForm::AttachWindow(const char* menuItem, int toolButton, std::function<void()> open) {
    auto* item = findChild<QAction*>(menuItem);
    if (item) {
        connect(item, &QAction::triggered, this, open);
        item->setEnabled(true);
        item->setVisible(true);
    }
    if (QToolButton* button = this->toolButton(toolButton)) {
        connect(button, &QToolButton::clicked, this, open);
        button->setEnabled(true);
    }
}

QAction* TMainForm::AddMenuItem(const char* menu, const char* name, const QString& caption,
                                QKeySequence key) {
    for (QMenu* m : menuBar()->findChildren<QMenu*>()) {
        if (m->objectName() != menu) continue;
        QAction* action = MenuItem(m, name, caption, key);
        action->setEnabled(false);
        return action;
    }
    return nullptr;
}

QToolButton* TMainForm::toolButton(int number) const {
    if (number < 1 || number >= static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<std::size_t>(number)];
}

void TMainForm::SetVersionForm(QDialog* form) {
    if (form) AttachWindow("N21", 4, [form] { form->exec(); });
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
    control_.SendClosingNotice();
    ContinuousReadTimer_.stop();
    ReReadTimer_.stop();
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
