#include "app/version_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "appearance/tool_glyphs.h"
#include "platform/translation.h"

#ifndef LXV_VERSION
#define LXV_VERSION "0.0.0"
#endif

namespace lxv {

TVForm::TVForm(QWidget* parent) : QDialog(parent) {
    setObjectName("VForm");
    auto* texts = new ShownTexts(this);
    texts->windowTitle(this, QT_TRANSLATE_NOOP("lxv", "Version"));

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(GlyphIcon(Glyph::Continuous).pixmap(64, 64));

    auto* title = new QLabel(this);
    title->setObjectName("Label1");
    texts->text(title, QT_TRANSLATE_NOOP("lxv", "<b>LXV7700 companion</b>"));
    auto* about = new QLabel(this);
    about->setObjectName("Label2");
    texts->text(about, QT_TRANSLATE_NOOP("lxv",
                                         "Takes single and continuous measurements from the LXV7700\n"
                                         "single-phase power analyser, shows its values, waveforms and\n"
                                         "harmonics, and keeps measurements as test files."));
    auto* version = new QLabel(this);
    version->setObjectName("Label3");
    texts->text(version, UiText(QT_TRANSLATE_NOOP("lxv", "Version %1")).arg(LXV_VERSION));
    auto* date = new QLabel(this);
    date->setObjectName("Label4");
    texts->text(date, UiText(QT_TRANSLATE_NOOP("lxv", "Released %1")).arg(kReleaseDate));

    auto* enter = new QPushButton(this);
    texts->text(enter, QT_TRANSLATE_NOOP("lxv", "Enter"));
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
