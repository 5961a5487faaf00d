#include "record/record_form.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "appearance/tool_glyphs.h"
#include "appearance/chart_colours.h"
#include "platform/accessible_value.h"
#include "platform/app_paths.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "record/rec_set_form.h"
#include "record/record_painter.h"
#include "record/record_settings_ini.h"

namespace lxv {

// The chart and the ruler: paint events copy the visible part of their image.
class RecordImageView : public QWidget {
  public:
    RecordImageView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    std::function<void(int x)> onMove;
    std::function<void()> onDoubleClick;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect(), image_, event->rect());
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (onMove) onMove(event->position().toPoint().x());
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        if (onDoubleClick) onDoubleClick();
    }

  private:
    const QImage& image_;
};

namespace {

constexpr int kImageWidth = 2400, kImageHeight = 1600;
// The status panels' widths of the layout, as shares of the status bar.
constexpr int kStatusWidths[7] = {130, 130, 210, 210, 100, 110, 130};
constexpr const char* kRecordingText = QT_TRANSLATE_NOOP("lxv", "Recording");
constexpr const char* kInspectionText = QT_TRANSLATE_NOOP("lxv", "Inspection");
constexpr int kRulerWidth = 50, kPenStrip = 25, kArrowHeight = 12;
constexpr const char* kPenFiles[kRecordChannels] = {"PenData\\green.dat",  "PenData\\red.dat",
                                                    "PenData\\blue.dat",   "PenData\\maroon.dat",
                                                    "PenData\\yellow.dat", "PenData\\red2.dat"};
// SeSkinButton numbers of each channel's show/hide, scale-down and scale-up buttons.
constexpr int kShowHide[kRecordChannels] = {1, 6, 9, 12, 15, 18};
constexpr int kScaleDown[kRecordChannels] = {2, 5, 8, 11, 14, 17};
constexpr int kScaleUp[kRecordChannels] = {3, 4, 7, 10, 13, 16};

QPixmap DataPicture(const char* name) {
    return QPixmap(QString::fromStdString(DataFilePath(name)));
}

QDateTime StampDateTime(double stamp) {
    const CivilTime t = StampToCivil(stamp);
    if (!t.valid) return {};
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond));
}

QToolButton* Tool(QToolBar* bar, ShownTexts* texts, const char* name, const char* tip, const QIcon& icon,
                  const char* text = nullptr) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    texts->toolTipAndName(button, tip);
    if (!icon.isNull())
        button->setIcon(icon);
    else
        texts->text(button, text);
    bar->addWidget(button);
    return button;
}

}  // namespace

QString StampDateText(double stamp) {
    const QDateTime d = StampDateTime(stamp);
    return d.isValid() ? QLocale::system().toString(d.date(), QLocale::ShortFormat) : QString();
}

QString StampTimeText(double stamp) {
    const QDateTime d = StampDateTime(stamp);
    return d.isValid() ? QLocale::system().toString(d.time(), QLocale::ShortFormat) : QString();
}

QString StampDateTimeText(double stamp) {
    const QDateTime d = StampDateTime(stamp);
    return d.isValid() ? QLocale::system().toString(d, QLocale::ShortFormat) : QString();
}

TRecordForm::TRecordForm(Recorder& recorder, IniFile& sysSet, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      recorder_(recorder),
      sysSet_(sysSet),
      chart_(kImageWidth, kImageHeight, QImage::Format_RGB32),
      ruler_(kImageWidth / 48, kImageHeight, QImage::Format_RGB32) {
    setObjectName("RecordForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "記錄"));
    chart_.fill(Qt::white);
    ruler_.fill(Qt::white);

    BuildMenus();
    BuildToolBar();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    BuildChartPanel(central);
    layout->addWidget(panel_->parentWidget(), 1);
    BuildChannelRows(central);
    setCentralWidget(central);
    BuildStatusBar();

    ScrollBar1ChangeTimer_.setObjectName("ScrollBar1ChangeTimer");
    ScrollBar1ChangeTimer_.setSingleShot(true);
    ScrollBar1ChangeTimer_.setInterval(100);
    connect(&ScrollBar1ChangeTimer_, &QTimer::timeout, this, &TRecordForm::ScrollBar1ChangeTimerTimer);
    OpenTimer_.setObjectName("OpenTimer");
    OpenTimer_.setSingleShot(true);
    OpenTimer_.setInterval(1000);
    connect(&OpenTimer_, &QTimer::timeout, this, &TRecordForm::OpenTimerTimer);
    // Children while the window lives, so tests find them by name.
    ScrollBar1ChangeTimer_.setParent(this);
    OpenTimer_.setParent(this);

    setForm_ = new TRecSetForm(sysSet_, recorder_, this);
    connect(setForm_, &TRecSetForm::applied, this,
            [this](const AppliedRecordSettings& applied) { ApplySettingsTexts(applied); });
    recorder_.setListener([this](const RecorderEffects& e) { Apply(e); });
    resize(960, 640);
    ApplyControls();
    DrawRecordChart();
}

TRecordForm::~TRecordForm() {
    recorder_.setListener({});
    ScrollBar1ChangeTimer_.setParent(nullptr);
    OpenTimer_.setParent(nullptr);
}

void TRecordForm::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        texts_->text(action, caption);
        return action;
    };
    auto title = [this](const char* name, const char* caption) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(name);
        texts_->title(menu, caption);
        return menu;
    };
    QMenu* file = title("MenuFile", QT_TRANSLATE_NOOP("lxv", "檔案(&F)"));
    open_ = item(file, "MenuOpen", QT_TRANSLATE_NOOP("lxv", "開啟舊檔"));
    create_ = item(file, "MenuCreate", QT_TRANSLATE_NOOP("lxv", "建立"));
    export_ = item(file, "MenuExport", QT_TRANSLATE_NOOP("lxv", "Export EXCEL file"));
    print_ = item(file, "MenuPrint", QT_TRANSLATE_NOOP("lxv", "列印"));
    close_ = item(file, "MenuClose", QT_TRANSLATE_NOOP("lxv", "關閉"));
    print_->setEnabled(false);
    export_->setEnabled(false);
    QMenu* options = title("MenuOptions", QT_TRANSLATE_NOOP("lxv", "選項 (&O)"));
    settings_ = item(options, "MenuSettings", QT_TRANSLATE_NOOP("lxv", "設置"));
    QMenu* view = title("MenuView", QT_TRANSLATE_NOOP("lxv", "檢視 (&V)"));
    zoomOut_ = item(view, "MenuZoomOut", QT_TRANSLATE_NOOP("lxv", "Zoom Out forward "));
    zoomIn_ = item(view, "MenuZoomIn", QT_TRANSLATE_NOOP("lxv", "Zoom in Back"));
    segForward_ = item(view, "MenuSegmentForward", QT_TRANSLATE_NOOP("lxv", "段前移"));
    segBack_ = item(view, "MenuSegmentBack", QT_TRANSLATE_NOOP("lxv", "段後移"));
    QMenu* run = title("MenuRun", QT_TRANSLATE_NOOP("lxv", "執行(&R)"));
    start_ = item(run, "MenuStart", QT_TRANSLATE_NOOP("lxv", "Start"));
    stop_ = item(run, "MenuStop", QT_TRANSLATE_NOOP("lxv", "Stop"));

    open_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    create_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    close_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    settings_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    start_->setShortcut(QKeySequence(Qt::Key_F9));
    stop_->setShortcut(QKeySequence(Qt::Key_F10));
    connect(open_, &QAction::triggered, this, &TRecordForm::OpenClick);
    connect(create_, &QAction::triggered, this, &TRecordForm::CreateClick);
    connect(export_, &QAction::triggered, this, [this] {
        if (exportHandler_) exportHandler_();
    });
    connect(close_, &QAction::triggered, this, &QWidget::close);
    connect(settings_, &QAction::triggered, this, &TRecordForm::SettingsClick);
    connect(zoomOut_, &QAction::triggered, this, &TRecordForm::ZoomOutForwardClick);
    connect(zoomIn_, &QAction::triggered, this, &TRecordForm::ZoomInBackClick);
    connect(segForward_, &QAction::triggered, this, &TRecordForm::SegmentForwardClick);
    connect(segBack_, &QAction::triggered, this, &TRecordForm::SegmentBackClick);
    connect(start_, &QAction::triggered, this, &TRecordForm::StartClick);
    connect(stop_, &QAction::triggered, this, &TRecordForm::StopClick);
}

void TRecordForm::BuildToolBar() {
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    texts_->refresh(bar, 100, [bar] { bar->setWindowTitle(Translated(QT_TRANSLATE_NOOP("lxv", "Tools"))); });
    ShownTexts* t = texts_;
    openButton_ =
        Tool(bar, t, "ToolOpen", QT_TRANSLATE_NOOP("lxv", "Open record file"), GlyphIcon(Glyph::Open));
    createButton_ =
        Tool(bar, t, "ToolCreate", QT_TRANSLATE_NOOP("lxv", "Create record file"), GlyphIcon(Glyph::Save));
    printButton_ =
        Tool(bar, t, "ToolPrint", QT_TRANSLATE_NOOP("lxv", "Print record report"), GlyphIcon(Glyph::Print));
    bar->addSeparator();
    settingsButton_ = Tool(bar, t, "ToolSettings", QT_TRANSLATE_NOOP("lxv", "Record settings"), {},
                           QT_TRANSLATE_NOOP("lxv", "Set"));
    bar->addSeparator();
    startButton_ =
        Tool(bar, t, "ToolStart", QT_TRANSLATE_NOOP("lxv", "Start recording"), GlyphIcon(Glyph::Continuous));
    stopButton_ =
        Tool(bar, t, "ToolStop", QT_TRANSLATE_NOOP("lxv", "Stop recording"), GlyphIcon(Glyph::Stop));
    bar->addSeparator();
    viewButton_ = Tool(bar, t, "ToolViewSwitch",
                       QT_TRANSLATE_NOOP("lxv", "Switch between the recording and the opened file"),
                       QIcon(DataPicture("PenData\\12.dat")), QT_TRANSLATE_NOOP("lxv", "View"));
    segBackButton_ = Tool(bar, t, "ToolSegmentBack", QT_TRANSLATE_NOOP("lxv", "段後移"), {}, "|<<");
    segForwardButton_ = Tool(bar, t, "ToolSegmentForward", QT_TRANSLATE_NOOP("lxv", "段前移"), {}, ">>|");
    zoomInButton_ = Tool(bar, t, "ToolZoomIn", QT_TRANSLATE_NOOP("lxv", "Zoom in Back"), {}, "+");
    zoomOutButton_ = Tool(bar, t, "ToolZoomOut", QT_TRANSLATE_NOOP("lxv", "Zoom Out forward "), {}, "-");
    NameToolBarExtension(bar);
    printButton_->setEnabled(false);
    connect(openButton_, &QToolButton::clicked, this, &TRecordForm::OpenClick);
    connect(createButton_, &QToolButton::clicked, this, &TRecordForm::CreateClick);
    connect(printButton_, &QToolButton::clicked, this, [this] {
        if (printHandler_) printHandler_();
    });
    connect(settingsButton_, &QToolButton::clicked, this, &TRecordForm::SettingsClick);
    connect(startButton_, &QToolButton::clicked, this, &TRecordForm::StartClick);
    connect(stopButton_, &QToolButton::clicked, this, &TRecordForm::StopClick);
    connect(viewButton_, &QToolButton::clicked, this, &TRecordForm::ViewSwitchClick);
    connect(segBackButton_, &QToolButton::clicked, this, &TRecordForm::SegmentBackClick);
    connect(segForwardButton_, &QToolButton::clicked, this, &TRecordForm::SegmentForwardClick);
    connect(zoomInButton_, &QToolButton::clicked, this, &TRecordForm::ZoomInBackClick);
    connect(zoomOutButton_, &QToolButton::clicked, this, &TRecordForm::ZoomOutForwardClick);
}

void TRecordForm::BuildChartPanel(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    group->setObjectName("GroupBox1");
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(5, 16, 5, 5);
    panel_ = new QWidget(group);
    panel_->setObjectName("Panel1");
    panel_->setMinimumSize(300, 200);
    panel_->installEventFilter(this);
    groupLayout->addWidget(panel_, 1);
    scrollBar_ = new QScrollBar(Qt::Horizontal, group);
    scrollBar_->setObjectName("ScrollBar1");
    texts_->accessibleName(scrollBar_, QT_TRANSLATE_NOOP("lxv", "Scroll through the recording"));
    scrollBar_->setRange(0, 450);
    groupLayout->addWidget(scrollBar_);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &TRecordForm::ScrollBar1Change);

    pic5_ = new RecordImageView(ruler_, panel_);
    pic5_->setObjectName("Pic5");
    texts_->accessibleName(pic5_, QT_TRANSLATE_NOOP("lxv", "Ruler"));
    penStrip_ = new QWidget(panel_);
    penStrip_->setObjectName("PenStrip");
    for (int c = 0; c < kRecordChannels; ++c) {
        auto* pen = new QLabel(penStrip_);
        pen->setObjectName(QString("Pen%1").arg(c + 1));
        texts_->accessibleName(pen, UiText(QT_TRANSLATE_NOOP("lxv", "CH%1 pen")).arg(c + 1));
        pen->setPixmap(DataPicture(kPenFiles[c]));
        pen->resize(kPenStrip, 15);
        pen->hide();
        pens_[static_cast<std::size_t>(c)] = pen;
    }
    pic4_ = new RecordImageView(chart_, panel_);
    pic4_->setObjectName("Pic4");
    texts_->accessibleName(pic4_, QT_TRANSLATE_NOOP("lxv", "Record chart"));
    pic4_->setMouseTracking(true);
    pic4_->onMove = [this](int x) { Pic4MouseMove(x); };
    pic4_->onDoubleClick = [this] { Pic4DblClick(); };
    cursorArrow_ = new QLabel("▼", panel_);
    cursorArrow_->setObjectName("CursorArrow");
    texts_->accessibleName(cursorArrow_, QT_TRANSLATE_NOOP("lxv", "Cursor"));
    cursorArrow_->resize(12, kArrowHeight);
    rangeButton_ = new QPushButton(panel_);
    rangeButton_->setObjectName("RangeButton");
    texts_->text(rangeButton_, QT_TRANSLATE_NOOP("lxv", "R"));
    texts_->toolTipAndName(rangeButton_, QT_TRANSLATE_NOOP("lxv", "Range"));
    rangeButton_->resize(24, 20);
    connect(rangeButton_, &QPushButton::clicked, this, &TRecordForm::RangeButtonClick);
    trackBar_ = new QSlider(Qt::Horizontal, panel_);
    trackBar_->setObjectName("TrackBar1");
    texts_->accessibleName(trackBar_, QT_TRANSLATE_NOOP("lxv", "Points per pixel"));
    trackBar_->setRange(0, 150);
    trackBar_->setValue(150);
    trackBar_->hide();
    connect(trackBar_, &QSlider::valueChanged, this, &TRecordForm::TrackBar1Change);
}

void TRecordForm::BuildChannelRows(QWidget* parent) {
    auto* rows = new QWidget(parent);
    rows->setObjectName("ChannelRows");
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < kRecordChannels; ++c) {
        const int row = c % 3, column = (c / 3) * 7;
        auto* channel = new QLabel(rows);
        channel->setObjectName(QString("ChannelLabel%1").arg(c + 1));
        texts_->text(channel, UiText(QT_TRANSLATE_NOOP("lxv", "CH%1 ")).arg(c + 1));
        auto* quantity = new QLabel(rows);
        quantity->setObjectName(QString("QuantityLabel%1").arg(c + 1));
        auto* value = new QLabel(rows);
        value->setObjectName(QString("ValueLabel%1").arg(c + 1));
        texts_->text(value, QT_TRANSLATE_NOOP("lxv", "Value："));
        value->setMinimumWidth(110);
        quantities_[static_cast<std::size_t>(c)] = QuantityLabel(2);  // "Power" until the settings load
        texts_->text(quantity, quantities_[static_cast<std::size_t>(c)]);
        texts_->valueCaption(
            value, UiText(QT_TRANSLATE_NOOP("lxv", "CH%1 %2")).arg(c + 1).argText(QuantityLabel(2)));
        channelLabels_[static_cast<std::size_t>(c)] = channel;
        quantityLabels_[static_cast<std::size_t>(c)] = quantity;
        valueLabels_[static_cast<std::size_t>(c)] = value;
        auto button = [&](int number, const QString& text, const char* tip) {
            auto* b = new QToolButton(rows);
            b->setObjectName(QString("SeSkinButton%1").arg(number));
            b->setText(text);
            texts_->toolTipAndName(b, UiText(tip).arg(c + 1));
            rowButtons_[static_cast<std::size_t>(number)] = b;
            return b;
        };
        QToolButton* show = button(kShowHide[c], "◉", QT_TRANSLATE_NOOP("lxv", "CH%1 show or hide"));
        QToolButton* down = button(kScaleDown[c], "▽", QT_TRANSLATE_NOOP("lxv", "CH%1 scale down"));
        QToolButton* up = button(kScaleUp[c], "△", QT_TRANSLATE_NOOP("lxv", "CH%1 scale up"));
        channel->setBuddy(show);
        connect(show, &QToolButton::clicked, this, [this, c] { ShowHideClick(c); });
        connect(down, &QToolButton::clicked, this, [this, c] { ScaleDownClick(c); });
        connect(up, &QToolButton::clicked, this, [this, c] { ScaleUpClick(c); });
        auto* colour = new QLabel(rows);
        colour->setPixmap(DataPicture(kPenFiles[c]));
        grid->addWidget(colour, row, column);
        grid->addWidget(channel, row, column + 1);
        grid->addWidget(quantity, row, column + 2);
        grid->addWidget(value, row, column + 3);
        grid->addWidget(show, row, column + 4);
        grid->addWidget(down, row, column + 5);
        grid->addWidget(up, row, column + 6);
    }
    auto* readout = new QHBoxLayout;
    auto* caption = new QLabel(rows);
    caption->setObjectName("ReadoutLabel");
    texts_->text(caption, QT_TRANSLATE_NOOP("lxv", "Points date and time :  "));
    dateLabel_ = new QLabel(rows);
    dateLabel_->setObjectName("DateLabel");  // read as what it shows, "Date: ..."
    timeLabel_ = new QLabel(rows);
    timeLabel_->setObjectName("TimeLabel");
    dateLabel_->setMinimumWidth(160);
    timeLabel_->setMinimumWidth(160);
    readout->addWidget(caption);
    readout->addWidget(dateLabel_);
    readout->addWidget(timeLabel_);
    readout->addStretch();
    grid->addLayout(readout, 3, 0, 1, 14);
    parent->layout()->addWidget(rows);
}

void TRecordForm::BuildStatusBar() {
    for (int i = 0; i < 7; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        // The layout's widths share out the room; a panel is never narrower than its text
        // (the design's widths add up to more than the window: kept as minimums, they overlapped).
        statusBar()->addWidget(label, kStatusWidths[i]);
        status_[static_cast<std::size_t>(i)] = label;
    }
    SetStatus(6, RangeText(view_.range));
    if (auto* grip = statusBar()->findChild<QSizeGrip*>())
        texts_->accessibleName(grip, QT_TRANSLATE_NOOP("lxv", "Resize the window"));
}

void TRecordForm::FormCreate() {
    try {
        const RecordSetKeys keys = ReadRecordSetKeys(sysSet_);
        const AppliedRecordSettings applied = ApplyRecordSetKeys(keys, recorder_.settings(), false);
        recorder_.ApplySettings(applied.settings);
        ApplySettingsTexts(applied);
    } catch (const ConversionError& e) {
        AppDialogs().showError(this, Translated(e.text()));
    }
}

void TRecordForm::ApplySettingsTexts(const AppliedRecordSettings& applied) {
    if (!applied.sampleText.empty()) SetStatus(0, applied.sampleText);
    if (!applied.saveText.empty()) SetStatus(1, applied.saveText);
    SetQuantityLabels(applied.settings.codes);
}

void TRecordForm::SetQuantityLabels(const std::array<int, kRecordChannels>& codes) {
    for (int c = 0; c < kRecordChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (const char* label = QuantityLabel(codes[c])) quantities_[i] = label;
        texts_->text(quantityLabels_[i], quantities_[i]);
        // "CH1 Power: 12.345"
        texts_->valueCaption(valueLabels_[i],
                             UiText(QT_TRANSLATE_NOOP("lxv", "CH%1 %2")).arg(c + 1).argText(quantities_[i]));
    }
}

void TRecordForm::SetStatus(int panel, const UiText& text) {
    if (panel < 0 || panel >= 7) return;
    QLabel* label = status_[static_cast<std::size_t>(panel)];
    texts_->text(label, text);
    // As wide as its text needs, in the language in use: a stamp with seconds never runs into the next panel.
    texts_->refresh(label, 100, [label] {
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 8);
    });
}

QString TRecordForm::statusPanelText(int panel) const {
    return panel >= 0 && panel < 7 ? status_[static_cast<std::size_t>(panel)]->text() : QString();
}

void TRecordForm::SetExportHandler(std::function<void()> handler) {
    exportHandler_ = std::move(handler);
    export_->setEnabled(static_cast<bool>(exportHandler_));
}

void TRecordForm::SetPrintHandler(std::function<void()> handler) {
    printHandler_ = std::move(handler);
    printButton_->setEnabled(static_cast<bool>(printHandler_));
}

const RecordData& TRecordForm::shownData() const {
    return view_.liveView() ? recorder_.live() : file_;
}

void TRecordForm::ApplyControls() {
    const RecordControls& r = recorder_.controls();
    startButton_->setEnabled(r.start);
    start_->setEnabled(r.startMenu);
    stopButton_->setEnabled(r.stop);
    stop_->setEnabled(r.stopMenu);
    const bool settings = r.settings && !settingsBlocked_;
    settingsButton_->setEnabled(settings);
    settings_->setEnabled(settings);
    createButton_->setEnabled(r.create);
    create_->setEnabled(r.create);
    const ViewControls& v = view_.controls;
    zoomInButton_->setEnabled(v.zoomIn);
    zoomIn_->setEnabled(v.zoomIn);
    zoomOutButton_->setEnabled(v.zoomOut);
    zoomOut_->setEnabled(v.zoomOut);
    segForwardButton_->setEnabled(v.segmentForward);
    segForward_->setEnabled(v.segmentForward);
    segBackButton_->setEnabled(v.segmentBack);
    segBack_->setEnabled(v.segmentBack);
    for (int c = 0; c < kRecordChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        channelLabels_[i]->setEnabled(v.rowEnabled[i]);
        quantityLabels_[i]->setEnabled(v.rowEnabled[i]);
        valueLabels_[i]->setEnabled(v.rowEnabled[i]);
        rowButtons_[static_cast<std::size_t>(kScaleUp[c])]->setEnabled(v.scaleUp[i]);
        rowButtons_[static_cast<std::size_t>(kScaleDown[c])]->setEnabled(v.scaleDown[i]);
    }
    const QSignalBlocker blockScroll(scrollBar_), blockTrack(trackBar_);
    scrollBar_->setValue(view_.scrollBar);
    trackBar_->setValue(view_.trackBar);
}

void TRecordForm::Apply(const RecorderEffects& e) {
    if (e.fileCreated) {
        view_.FileCreated();
        settingsBlocked_ = false;
        SetStatus(5, kRecordingText);
    }
    if (e.sampleStatusChanged && view_.liveView()) SetStatus(5, LiveStatusText());
    if (e.liveViewReset) {
        view_.StartLive();
        viewButton_->setIcon(QIcon(DataPicture("PenData\\12.dat")));
    }
    ApplyControls();
    if (e.redraw || e.fileCreated || e.liveViewReset) {
        // Samples only change the live view; a hidden window draws when it is shown.
        if (!isVisible())
            redrawPending_ = true;
        else if (view_.liveView() || e.controlsChanged)
            DrawRecordChart();
    }
    if (!e.message.empty()) AppDialogs().showMessage(this, Translated(e.message));
}

void TRecordForm::Apply(const ViewEffects& e) {
    if (e.gridMs > 0) recorder_.SetGridInterval(e.gridMs);
    ApplyControls();
    if (e.redrawSoon) ScrollBar1ChangeTimer_.start();
    if (e.redraw) DrawRecordChart();
}

void TRecordForm::OpenClick() {
    const QString path = AppDialogs().openFileName(this, Translated(kRecordFileFilter));
    if (!path.isEmpty()) OpenRecordFile(path);
    DrawRecordChart();
}

bool TRecordForm::OpenRecordFile(const QString& path) {
    const RecordFileRead read = ReadRecordFile(path.toStdString(), file_);
    if (!read.error.empty()) {
        AppDialogs().showError(this, Translated(read.error));
        return false;
    }
    view_.FileOpened(file_.count);
    std::array<int, kRecordChannels> codes{};
    for (int c = 0; c < kRecordChannels; ++c) codes[c] = file_.codes[c];
    SetQuantityLabels(codes);
    const UiText note = ReadNoteText(read);
    SetStatus(5, note.empty() ? UiText(kInspectionText)
                              : UiText(QT_TRANSLATE_NOOP("lxv", "Inspection: %1")).arg(note));
    settingsBlocked_ = true;
    viewButton_->setIcon(QIcon(DataPicture("PenData\\13.dat")));
    ApplyControls();
    DrawRecordChart();
    return true;
}

void TRecordForm::OpenRecordFileAtStart(const QString& path) {
    startFile_ = path;
    OpenTimer_.start();
}

void TRecordForm::OpenTimerTimer() {
    OpenTimer_.stop();
    show();
    raise();
    OpenRecordFile(startFile_);
}

bool TRecordForm::SaveBeforeExit(bool display) {
    // Both values at once: a path holding "%2" stays as it is. One sample has a sentence of its own.
    const auto text = [this](const char* many, const char* one, const UiText& why) {
        const int unsaved = recorder_.unsavedCount();
        return Translated(unsaved == 1 ? UiText(one).arg(why) : UiText(many).arg(unsaved).arg(why));
    };
    UiText error = recorder_.Close();
    if (display) {
        while (!error.empty()) {
            if (!AppDialogs().askRetryOrQuit(this, Translated(kExitSaveFailedCaption),
                                             text(kExitSaveFailedText, kExitSaveFailedOneText, error)))
                return false;
            error = recorder_.Close();
        }
        return true;
    }
    if (error.empty()) return true;
    std::fprintf(stderr, "lxv7700: %s\n", qPrintable(Translated(UiText(kExitSaveRetryLine).arg(error))));
    error = recorder_.Close();
    if (error.empty()) return true;
    std::fprintf(stderr, "lxv7700: %s\n",
                 qPrintable(text(kExitSaveFailedLine, kExitSaveFailedOneLine, error)));
    return false;
}

void TRecordForm::CreateClick() {
    if (!recorder_.controls().create) return;
    const QString path =
        AppDialogs().saveFileName(this, Translated(kRecordFileFilter), kRecordFileProposedName);
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) &&
        !AppDialogs().askYesNo(this, Translated(QT_TRANSLATE_NOOP("lxv", "File exists")),
                               Translated(QT_TRANSLATE_NOOP("lxv", "File already exists, overwrite?"))))
        return;
    CreateRecordFileAt(path);
}

const char* TRecordForm::LiveStatusText() const {
    return recorder_.waitingForMeasurement() ? kNoNewMeasurementText : kRecordingText;
}

bool TRecordForm::CreateRecordFileAt(const QString& path) {
    // The old file's last samples are given up only when the user says so.
    const auto ask = [this](const UiText& error, int unsaved) {
        const UiText text = unsaved == 1 ? UiText(kNewFileUnsavedOneText).arg(error)
                                         : UiText(kNewFileUnsavedText).arg(unsaved).arg(error);
        const UiText discard =
            unsaved == 1 ? UiText(kDiscardOneSampleText) : UiText(kDiscardSamplesText).arg(unsaved);
        switch (AppDialogs().askRetryDiscardOrCancel(this, Translated(kExitSaveFailedCaption),
                                                     Translated(text), Translated(discard))) {
            case RetryAnswer::Retry: return UnsavedAnswer::Retry;
            case RetryAnswer::Discard: return UnsavedAnswer::Discard;
            case RetryAnswer::Cancel: break;
        }
        return UnsavedAnswer::Cancel;
    };
    const RecorderEffects e = recorder_.CreateRecordFile(path.toStdString(), ask);
    if (!e.fileCreated) {
        if (!e.message.empty()) AppDialogs().showError(this, Translated(e.message));
        return false;
    }
    Apply(e);
    return true;
}

void TRecordForm::SettingsClick() {
    if (!settingsButton_->isEnabled()) return;
    setForm_->Open();
}

void TRecordForm::StartClick() {
    Apply(recorder_.StartRecording());
}

void TRecordForm::StopClick() {
    const RecorderEffects e = recorder_.StopRecording();
    // Stopped: the settings are free again, also after a file was opened for viewing.
    if (e.controlsChanged) settingsBlocked_ = false;
    Apply(e);
}

void TRecordForm::ViewSwitchClick() {
    Apply(view_.SwitchView(recorder_.liveCount()));
    if (view_.liveView()) {
        SetStatus(5, LiveStatusText());
        viewButton_->setIcon(QIcon(DataPicture("PenData\\12.dat")));
    } else {
        SetStatus(5, kInspectionText);
        viewButton_->setIcon(QIcon(DataPicture("PenData\\13.dat")));
    }
}

void TRecordForm::SegmentForwardClick() {
    Apply(view_.SegmentForward(recorder_.liveCount()));
}

void TRecordForm::SegmentBackClick() {
    Apply(view_.SegmentBack(recorder_.liveCount()));
}

void TRecordForm::ZoomInBackClick() {
    Apply(view_.ZoomInBack(recorder_.liveCount(), chartWidth()));
}

void TRecordForm::ZoomOutForwardClick() {
    Apply(view_.ZoomOutForward(recorder_.liveCount()));
}

void TRecordForm::RangeButtonClick() {
    Apply(view_.NextRange());
    SetStatus(6, RangeText(view_.range));
}

void TRecordForm::ShowHideClick(int channel) {
    Apply(view_.ToggleVisible(channel));
}

void TRecordForm::ScaleUpClick(int channel) {
    Apply(view_.ScaleUp(channel));
}

void TRecordForm::ScaleDownClick(int channel) {
    Apply(view_.ScaleDown(channel));
}

void TRecordForm::ScrollBar1Change(int position) {
    const ViewEffects e = view_.ScrollBarChanged(position, recorder_.liveCount(), chartWidth());
    if (e.redrawSoon) ScrollBar1ChangeTimer_.start();
}

void TRecordForm::TrackBar1Change(int position) {
    const ViewEffects e = view_.TrackBarChanged(position, recorder_.liveCount(), chartWidth());
    if (e.gridMs > 0) recorder_.SetGridInterval(e.gridMs);
    if (e.redrawSoon) ScrollBar1ChangeTimer_.start();
}

void TRecordForm::ScrollBar1ChangeTimerTimer() {
    ScrollBar1ChangeTimer_.stop();
    DrawRecordChart();
}

void TRecordForm::Pic4MouseMove(int x) {
    cursorArrow_->move(penStrip_->x() + x + kPenStrip - cursorArrow_->width() / 2, 0);
    const std::optional<int> index = view_.ReadoutIndex(x, recorder_.liveCount());
    const RecordData& data = shownData();
    if (!index || *index < 0 || *index >= data.capacity()) return;
    const auto i = static_cast<std::size_t>(*index);
    texts_->text(
        dateLabel_,
        UiText(QT_TRANSLATE_NOOP("lxv", "Date: %1")).arg(StampDateText(data.stamps[i]).toStdString()));
    texts_->text(
        timeLabel_,
        UiText(QT_TRANSLATE_NOOP("lxv", "Time: %1")).arg(StampTimeText(data.stamps[i]).toStdString()));
    for (int c = 0; c < kRecordChannels; ++c)
        texts_->text(valueLabels_[static_cast<std::size_t>(c)], ReadoutValueText(data.channels[c][i]));
}

void TRecordForm::Pic4DblClick() {
    trackBar_->setVisible(!trackBar_->isVisible());
    if (trackBar_->isVisible()) trackBar_->raise();
}

QSize TRecordForm::chartSize() const {
    return {std::clamp(pic4_->width(), 1, kImageWidth), std::clamp(pic4_->height(), 1, kImageHeight)};
}

int TRecordForm::chartWidth() const {
    return chartSize().width();
}

void TRecordForm::DrawRecordChart() {
    redrawPending_ = false;
    const QSize size = chartSize();
    const int w = size.width(), h = size.height();
    const RecordChartInput input = view_.ChartInput(recorder_.live(), file_, recorder_.gridPhase());
    const RecordChart chart = lxv::DrawRecordChart(w, h, input);
    const ChartColours& colours = CurrentChartColours();
    PaintRecordDrawing(chart_, chart.drawing, colours);
    PaintRecordDrawing(ruler_, DrawRecordRuler(h, view_.range), colours);
    if (view_.fileActive) {
        const RecordChartStatus s = ChartStatusTexts(
            chart, input, [](double stamp) { return StampDateTimeText(stamp).toStdString(); });
        SetStatus(0, s.sampling);
        SetStatus(2, s.start);
        SetStatus(3, s.end);
        SetStatus(4, s.length);
    }
    for (int c = 0; c < kRecordChannels; ++c) {
        QLabel* pen = pens_[static_cast<std::size_t>(c)];
        const bool shown = view_.visible[static_cast<std::size_t>(c)] && chart.points > 0;
        pen->setVisible(shown);
        if (shown) pen->move(0, std::clamp(chart.penTop[static_cast<std::size_t>(c)], -20, h + 5));
    }
    pic4_->update();
    pic5_->update();
}

void TRecordForm::LayOutChartPanel() {
    const int w = panel_->width(), h = panel_->height();
    const int top = kArrowHeight;
    pic5_->setGeometry(0, top, kRulerWidth, h - top);
    penStrip_->setGeometry(kRulerWidth, top, kPenStrip, h - top);
    pic4_->setGeometry(kRulerWidth + kPenStrip, top, std::max(w - kRulerWidth - kPenStrip, 1), h - top);
    cursorArrow_->move(cursorArrow_->x(), 0);
    rangeButton_->move((kRulerWidth - rangeButton_->width()) / 2, h - 36);
    rangeButton_->raise();
    trackBar_->setGeometry(29, 4, std::max(w - 81, 10), trackBar_->sizeHint().height());
}

bool TRecordForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_ && event->type() == QEvent::Resize) {
        LayOutChartPanel();
        DrawRecordChart();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TRecordForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    LayOutChartPanel();
    DrawRecordChart();
}

}  // namespace lxv
