#include "measure/starting_form.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "appearance/chart_colours.h"
#include "measure/chart_painter.h"
#include "measure/image_view.h"
#include "measure/starting_control.h"
#include "platform/accessible_value.h"
#include "platform/dialogs.h"
#include "platform/translation.h"

namespace lxv {

namespace {

constexpr int kImageWidth = 2400;
constexpr int kImageHeight = 1600;

enum class Arrow { Earlier, Later, Compress, Stretch };

// Triangles: one to the left or right, two facing each other (compress) or apart (stretch).
QIcon ArrowIcon(Arrow arrow) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 90));
    const auto left = [&p](double tip, double base) {
        p.drawPolygon(QPolygonF({{tip, 12}, {base, 5}, {base, 19}}));
    };
    switch (arrow) {
        case Arrow::Earlier: left(5, 19); break;
        case Arrow::Later: left(19, 5); break;
        case Arrow::Compress:
            left(11, 2);
            left(13, 22);
            break;
        case Arrow::Stretch:
            left(2, 11);
            left(22, 13);
            break;
    }
    return QIcon(pixmap);
}

QToolButton* ViewButton(const char* name, Arrow arrow, const char* what, ShownTexts* texts, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(ArrowIcon(arrow));
    b->setIconSize(QSize(24, 24));
    texts->toolTipAndName(b, what);
    return b;
}

QPushButton* TextButton(const char* name, const char* caption, ShownTexts* texts, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    texts->text(b, caption);
    texts->accessibleName(b, caption);
    return b;
}

QComboBox* RangeList(const char* name, std::vector<UiText> items, const char* title, ShownTexts* texts,
                     QGroupBox* box) {
    auto* list = new QComboBox(box);
    list->setObjectName(name);
    texts->items(list, std::move(items));
    list->setCurrentIndex(0);
    list->setEnabled(false);
    texts->title(box, title);
    texts->accessibleName(list, title);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(list);
    // The list is enabled by the mouse over its box, or by moving the keyboard focus there.
    box->setFocusPolicy(Qt::TabFocus);
    texts->accessibleName(box, title);
    return list;
}

}  // namespace

TStartingForm::TStartingForm(StartingControl& control, const MeasureRecord& block, QWidget* parent)
    : QDialog(parent),
      control_(control),
      block_(block),
      image_(kImageWidth, kImageHeight, QImage::Format_RGB32) {
    image_.fill(Qt::black);  // beyond the chart nothing is drawn, but nothing is left undefined
    setObjectName("StartingForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "Starting test"));
    resize(820, 560);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName("GroupBox2");
    ComboBox2 = RangeList("ComboBox2",
                          {QT_TRANSLATE_NOOP("lxv", "300V"), QT_TRANSLATE_NOOP("lxv", "150V"),
                           QT_TRANSLATE_NOOP("lxv", "75V"), QT_TRANSLATE_NOOP("lxv", "25V")},
                          QT_TRANSLATE_NOOP("lxv", "電壓量程"), texts_, GroupBox2);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName("GroupBox1");
    ComboBox1 =
        RangeList("ComboBox1",
                  {QT_TRANSLATE_NOOP("lxv", "4 (大電流)"), "3", "2", QT_TRANSLATE_NOOP("lxv", "1 (小電流)")},
                  QT_TRANSLATE_NOOP("lxv", "電流量程"), texts_, GroupBox1);

    SeSkinSpeedButton1 = TextButton("SeSkinSpeedButton1", QT_TRANSLATE_NOOP("lxv", "啟動"), texts_, this);
    SeSkinSpeedButton2 =
        ViewButton("SeSkinSpeedButton2", Arrow::Earlier, QT_TRANSLATE_NOOP("lxv", "Earlier"), texts_, this);
    SeSkinSpeedButton3 =
        ViewButton("SeSkinSpeedButton3", Arrow::Later, QT_TRANSLATE_NOOP("lxv", "Later"), texts_, this);
    SeSkinSpeedButton4 =
        ViewButton("SeSkinSpeedButton4", Arrow::Compress, QT_TRANSLATE_NOOP("lxv", "Compress"), texts_, this);
    SeSkinSpeedButton5 =
        ViewButton("SeSkinSpeedButton5", Arrow::Stretch, QT_TRANSLATE_NOOP("lxv", "Stretch"), texts_, this);
    SeSkinSpeedButton6 = TextButton("SeSkinSpeedButton6", QT_TRANSLATE_NOOP("lxv", "保存圖片"), texts_, this);
    connect(SeSkinSpeedButton1, &QPushButton::clicked, this, &TStartingForm::SeSkinSpeedButton1Click);
    connect(SeSkinSpeedButton2, &QToolButton::clicked, this, &TStartingForm::SeSkinSpeedButton2Click);
    connect(SeSkinSpeedButton3, &QToolButton::clicked, this, &TStartingForm::SeSkinSpeedButton3Click);
    connect(SeSkinSpeedButton4, &QToolButton::clicked, this, &TStartingForm::SeSkinSpeedButton4Click);
    connect(SeSkinSpeedButton5, &QToolButton::clicked, this, &TStartingForm::SeSkinSpeedButton5Click);
    connect(SeSkinSpeedButton6, &QPushButton::clicked, this, &TStartingForm::SeSkinSpeedButton6Click);

    StartingPic = new ImageView(
        image_, [this] { ShowStartingTest(); }, this);
    StartingPic->setObjectName("StartingPic");
    texts_->accessibleName(StartingPic, QT_TRANSLATE_NOOP("lxv", "Starting test chart"));
    StartingPic->setMinimumSize(160, 100);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(StatusBar1);
    texts_->text(statusPanel_, control_.statusText());
    // "Starting test status: Receiving data3"
    texts_->valueCaption(statusPanel_, QT_TRANSLATE_NOOP("lxv", "Starting test status"));
    StatusBar1->addWidget(statusPanel_, 1);

    auto* controls = new QHBoxLayout;
    controls->addWidget(GroupBox2);
    controls->addWidget(GroupBox1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{SeSkinSpeedButton1, SeSkinSpeedButton2, SeSkinSpeedButton3,
                                         SeSkinSpeedButton4, SeSkinSpeedButton5, SeSkinSpeedButton6})
        controls->addWidget(w);
    controls->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addLayout(controls);
    layout->addWidget(StartingPic, 1);
    layout->addWidget(StatusBar1);

    for (QObject* o : std::initializer_list<QObject*>{GroupBox1, GroupBox2, StartingPic})
        o->installEventFilter(this);
    control_.setEffectsHandler([this](const StartingEffects& e) { Apply(e); });
    ShowStartingTest();
}

QString TStartingForm::statusText() const {
    return statusPanel_->text();
}

bool TStartingForm::eventFilter(QObject* watched, QEvent* event) {
    // Tabbing into a range box counts as the mouse over it; the focus a window
    // gives its first control when it opens does not.
    const bool tabbed = event->type() == QEvent::FocusIn &&
                        (static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason ||
                         static_cast<QFocusEvent*>(event)->reason() == Qt::BacktabFocusReason);
    const bool entered = event->type() == QEvent::Enter || tabbed;
    if (entered && watched == GroupBox1) ComboBox1->setEnabled(true);
    if (entered && watched == GroupBox2) ComboBox2->setEnabled(true);
    if (event->type() == QEvent::Enter && watched == StartingPic) {
        ComboBox1->setEnabled(false);
        ComboBox2->setEnabled(false);
    }
    return QDialog::eventFilter(watched, event);
}

void TStartingForm::SeSkinSpeedButton1Click() {
    if (const char* refusal = control_.StartRefusal()) {
        AppDialogs().showMessage(this, Translated(refusal));
        return;
    }
    if (!AppDialogs().askYesNo(this, Translated(kStartQuestionCaption), Translated(kStartQuestionText)))
        return;
    Apply(control_.Start(ComboBox1->currentIndex(), ComboBox2->currentIndex()));
}

void TStartingForm::SeSkinSpeedButton2Click() {
    view_.Earlier();
    ShowStartingTest();
}

void TStartingForm::SeSkinSpeedButton3Click() {
    view_.Later();
    ShowStartingTest();
}

void TStartingForm::SeSkinSpeedButton4Click() {
    view_.Compress();
    ShowStartingTest();
}

void TStartingForm::SeSkinSpeedButton5Click() {
    view_.Stretch();
    ShowStartingTest();
}

void TStartingForm::SeSkinSpeedButton6Click() {
    const QSize area = StartingPic->size();
    const QImage picture = image_.copy(QRect(QPoint(0, 0), area)).convertToFormat(QImage::Format_RGB888);
    const QString path =
        AppDialogs().saveFileName(this, Translated(kStartingPictureFilter), kStartingPictureName);
    if (path.isEmpty()) return;
    const char* format = path.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
    if (!picture.save(path, format))
        AppDialogs().showError(
            this,
            Translated(
                UiText(QT_TRANSLATE_NOOP("lxv", "Cannot create file \"%1\".")).arg(path.toStdString())));
}

void TStartingForm::ShowStartingTest() {
    const QSize area = StartingPic->size();
    // A chart larger than 2400 x 1600 gets a larger image, so nothing is cut off.
    if (area.width() > image_.width() || area.height() > image_.height()) {
        image_ = QImage(std::max(area.width(), image_.width()), std::max(area.height(), image_.height()),
                        QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    DrawStartingChart(image_, area, control_.record(), block_, view_, CurrentChartColours());
    SeSkinSpeedButton2->setEnabled(view_.earlierEnabled());
    SeSkinSpeedButton3->setEnabled(view_.laterEnabled());
    SeSkinSpeedButton4->setEnabled(view_.compressEnabled());
    SeSkinSpeedButton5->setEnabled(view_.stretchEnabled());
    StartingPic->update();
}

void TStartingForm::Apply(const StartingEffects& effects) {
    if (effects.statusChanged) texts_->text(statusPanel_, control_.statusText());
    if (effects.message) AppDialogs().showMessage(this, Translated(effects.message));
    if (effects.captureComplete) ShowStartingTest();
}

}  // namespace lxv
