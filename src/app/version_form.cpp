#include "app/version_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/tool_glyphs.h"

#ifndef LXV_VERSION
#define LXV_VERSION "0.0.0"
#endif

namespace lxv {

TVForm::TVForm(QWidget* parent) : QDialog(parent) {
    setObjectName("VForm");
    setWindowTitle("Version");

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(GlyphIcon(Glyph::Continuous).pixmap(64, 64));

    auto* title = new QLabel("<b>LXV7700 companion</b>", this);
    title->setObjectName("Label1");
    auto* about = new QLabel(
        "Takes single and continuous measurements from the LXV7700\n"
        "single-phase power analyser, shows its values, waveforms and\n"
        "harmonics, and keeps measurements as test files.",
        this);
    about->setObjectName("Label2");
    auto* version = new QLabel(QString("Version %1").arg(LXV_VERSION), this);
    version->setObjectName("Label3");
    auto* date = new QLabel(QString("Released %1").arg(kReleaseDate), this);
    date->setObjectName("Label4");

    auto* enter = new QPushButton("Enter", this);
    enter->setObjectName("Button1");
    enter->setDefault(true);
    connect(enter, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(about);
    text->addWidget(version);
    text->addWidget(date);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(enter, 0, Qt::AlignRight);
}

}  // namespace lxv
