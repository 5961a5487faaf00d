#include "report/printer_form.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/measure_block.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/translation.h"
#include "report/enter_info_form.h"
#include "report/report_info.h"
#include "report/report_painter.h"

namespace lxv {

namespace {

constexpr int kBufferHeight = 2400;

// The preview control: copies the page buffer onto itself.
class PageView : public QWidget {
  public:
    PageView(const QImage& buffer, QWidget* parent) : QWidget(parent), buffer_(buffer) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), buffer_, rect());
    }

  private:
    const QImage& buffer_;
};

}  // namespace

TPrinterForm::TPrinterForm(const MeasureRecord& record, IniFile& enterInfo, TEnterInfoForm& infoForm,
                           QWidget* parent)
    : QDialog(parent),
      record_(record),
      enterInfo_(enterInfo),
      infoForm_(infoForm),
      printer_(QPrinter::HighResolution) {
    setObjectName("PrinterForm");
    texts_ = new ShownTexts(this);
    texts_->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "PrinterForm"));
    // The preview's page texts follow the language too.
    texts_->refresh(this, 100, [this] {
        if (isVisible()) DrawPreview();
    });

    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    auto* buttons = new QHBoxLayout(panel);
    buttons->addStretch();
    struct Button {
        const char *name, *caption, *shortcut;
        void (TPrinterForm::*handler)();
    };
    const Button kButtons[] = {
        {"SeSkinButton1", QT_TRANSLATE_NOOP("lxv", "Print"), "Ctrl+P", &TPrinterForm::SeSkinButton1Click},
        {"SeSkinButton3", QT_TRANSLATE_NOOP("lxv", "Printer Setup"), "Ctrl+Shift+P",
         &TPrinterForm::SeSkinButton3Click},
        {"SeSkinButton2", QT_TRANSLATE_NOOP("lxv", "Environmental data"), "Ctrl+E",
         &TPrinterForm::SeSkinButton2Click},
        {"SavePdfButton", QT_TRANSLATE_NOOP("lxv", "Save PDF"), "Ctrl+S", &TPrinterForm::SavePdfButtonClick}};
    for (const Button& b : kButtons) {
        auto* button = new QPushButton(panel);
        button->setObjectName(b.name);
        texts_->text(button, b.caption);
        button->setAutoDefault(false);
        button->setShortcut(QKeySequence(b.shortcut));
        texts_->refresh(button, 101, [button, caption = b.caption, shortcut = b.shortcut] {
            button->setToolTip(QString("%1 (%2)").arg(Translated(caption), shortcut));
        });
        connect(button, &QPushButton::clicked, this, b.handler);
        buttons->addWidget(button);
    }

    rongqi_ = new QScrollArea(this);
    rongqi_->setObjectName("Rongqi");
    texts_->accessibleName(rongqi_, QT_TRANSLATE_NOOP("lxv", "Report page"));
    rongqi_->setBackgroundRole(QPalette::Mid);
    texts_->accessibleName(rongqi_->verticalScrollBar(),
                           QT_TRANSLATE_NOOP("lxv", "Scroll the report page up and down"));
    texts_->accessibleName(rongqi_->horizontalScrollBar(),
                           QT_TRANSLATE_NOOP("lxv", "Scroll the report page left and right"));
    page_ = new QWidget;
    image1_ = new PageView(buffer_, page_);
    image1_->setObjectName("image1");
    texts_->accessibleName(image1_, QT_TRANSLATE_NOOP("lxv", "Report preview"));
    image1_->move(5, 5);
    imageDi_ = new QWidget(page_);
    imageDi_->setObjectName("image_di");
    texts_->accessibleName(imageDi_, QT_TRANSLATE_NOOP("lxv", "End of the page"));
    imageDi_->resize(1, 1);
    rongqi_->setWidget(page_);

    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->setSpacing(0);
    all->addWidget(panel);
    all->addWidget(rongqi_, 1);
    resize(747, 500);
}

TPrinterForm::~TPrinterForm() = default;

void TPrinterForm::SetRecordSource(std::function<QImage()> chart, std::function<RecordReportView()> view) {
    recordChart_ = std::move(chart);
    recordView_ = std::move(view);
}

void TPrinterForm::ShowReport(int kind) {
    kind_ = kind;
    setWindowModality(Qt::ApplicationModal);
    if (isVisible()) DrawPreview();
    show();
    raise();
    activateWindow();
}

bool TPrinterForm::ReadInfo(ReportInfo& info, bool reportErrors) {
    try {
        info = ReadReportInfo(enterInfo_);
        return true;
    } catch (const ConversionError& e) {
        if (reportErrors) AppDialogs().showError(this, Translated(e.text()));
        return false;
    }
}

QString TPrinterForm::DocumentTitle(const ReportInfo& info) const {
    return QString::fromStdString(info.projectName) +
           (kind_ == int(ReportKind::Record) ? kRecordReportTitleSuffix : kPowerReportTitleSuffix);
}

void TPrinterForm::DrawPreview(bool reportErrors) {
    if (buffer_.isNull()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        buffer_ = QImage(screen ? screen->size().width() : 1920, kBufferHeight, QImage::Format_RGB32);
    }
    buffer_.fill(Qt::white);
    rongqi_->verticalScrollBar()->setValue(0);
    const int width = std::max(this->width() - 33, 1);
    const int height = kind_ == 0 || kind_ == 1 ? PreviewPageHeight(ReportKind(kind_), width) : width;
    ReportInfo info;
    preview_ = ReportPage{width, height, {}};
    if ((kind_ == 0 || kind_ == 1) && ReadInfo(info, reportErrors)) {
        if (kind_ == 0) {
            preview_ = PowerReportPreview(width, record_, info);
        } else {
            preview_ = RecordReportPreview(width, recordView_ ? recordView_() : RecordReportView{}, info);
        }
    }
    QPainter painter(&buffer_);
    PaintReportPage(painter, preview_, kind_ == 1 && recordChart_ ? recordChart_() : QImage());
    painter.end();
    image1_->resize(width, std::min(height, kBufferHeight));
    imageDi_->move(0, height);
    page_->resize(width + 10, height + 6);
    image1_->update();
}

ReportPage TPrinterForm::PrintedPage(int width, int height, bool landscape, const ReportInfo& info) const {
    if (kind_ == 0) return PowerReportPrinted(width, height, landscape, record_, info);
    if (kind_ == 1)
        return RecordReportPrinted(width, height, landscape, recordView_ ? recordView_() : RecordReportView{},
                                   info);
    return ReportPage{width, height, {}};
}

void TPrinterForm::SeSkinButton1Click() {
    ReportInfo info;
    if (!ReadInfo(info, true)) return;
    printer_.setDocName(DocumentTitle(info));
    printer_.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer_)) {
        AppDialogs().showError(
            this, Translated(QT_TRANSLATE_NOOP("lxv", "Printing failed: the printer could not be opened.")));
        return;
    }
    const bool landscape = printer_.pageLayout().orientation() == QPageLayout::Landscape;
    PaintReportPage(painter, PrintedPage(printer_.width(), printer_.height(), landscape, info));
    painter.end();
}

void TPrinterForm::SeSkinButton3Click() {
    QPrintDialog dialog(&printer_, this);
    dialog.exec();
}

void TPrinterForm::SeSkinButton2Click() {
    infoForm_.setWindowModality(Qt::ApplicationModal);  // above this modal window
    infoForm_.show();
    infoForm_.raise();
    infoForm_.activateWindow();
}

void TPrinterForm::SavePdfButtonClick() {
    ReportInfo info;
    if (!ReadInfo(info, true)) return;
    const QString title = DocumentTitle(info);
    const QString path = AppDialogs().saveFileName(
        this, Translated(QT_TRANSLATE_NOOP("lxv", "PDF File(*.pdf)|*.pdf")), title + ".pdf");
    if (path.isEmpty()) return;
    QString error;
    const auto layout = [&](int w, int h, bool landscape) { return PrintedPage(w, h, landscape, info); };
    if (!WriteReportPdf(path, title, printer_.pageLayout().orientation(), layout, error))
        AppDialogs().showError(this, error);
}

void TPrinterForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    resize(747, 500);
    DrawPreview(true);
}

void TPrinterForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible()) DrawPreview();
}

}  // namespace lxv
