#include "companion/shell/voice_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "companion/engine/voice_settings.h"
#include "companion/shell/window_layers.h"
#include "speech/voice.h"
#include "ui_support/twips.h"

namespace lorvane::companion {

namespace {

QScrollBar* scrollBar(QWidget* parent, const char* name, QRect place, int minimum, int maximum) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(place);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(maximum - minimum >= 100 ? 10 : 2);
    // A dragged thumb counts once, where it is let go.
    bar->setTracking(false);
    // The right arrow key goes the way of the right arrow button: up.
    bar->setInvertedControls(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

void label(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
}

}  // namespace

VoiceDialog::VoiceDialog(VoiceSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("              设置"));
    setFixedSize(ui::pixels(3510), ui::pixels(2325));

    label(this, "Label7", QStringLiteral("朗读语音"), ui::twipsRect(240, 120, 720, 180));
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("combo1"));
    combo1_->setGeometry(ui::twipsRect(1200, 120, 2055, 300));
    label(this, "Label8", QStringLiteral("语速"), ui::twipsRect(240, 720, 360, 180));
    HScroll1_ = scrollBar(this, "HScroll1", ui::twipsRect(720, 720, 2535, 255),
                          speech::Voice::kMinRate, speech::Voice::kMaxRate);
    label(this, "Label1", QStringLiteral("音量"), ui::twipsRect(240, 1200, 360, 180));
    HScroll2_ = scrollBar(this, "HScroll2", ui::twipsRect(720, 1200, 2535, 255),
                          speech::Voice::kMinVolume, speech::Voice::kMaxVolume);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("Command2"));
    close->setGeometry(ui::twipsRect(1440, 1800, 855, 375));
    close->setAutoDefault(false);

    // The rate first; the labels between take no focus.
    setTabOrder(HScroll1_, combo1_);
    setTabOrder(combo1_, HScroll2_);
    setTabOrder(HScroll2_, close);

    // The settings pass on only real changes, so setting a control to the
    // value it shows reaches the voice no more than once.
    connect(combo1_, &QComboBox::activated, this,
            [this](int index) { settings_.setCombo1(index); });
    connect(HScroll1_, &QScrollBar::valueChanged, this,
            [this](int rate) { settings_.setHScroll1(rate); });
    connect(HScroll2_, &QScrollBar::valueChanged, this,
            [this](int volume) { settings_.setHScroll2(volume); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    refresh();
}

void VoiceDialog::refresh() {
    const QSignalBlocker comboBlocker(combo1_);
    if (combo1_->count() != static_cast<int>(settings_.combo1Items().size())) {
        combo1_->clear();
        for (const std::string& voice : settings_.combo1Items()) {
            combo1_->addItem(QString::fromStdString(voice));
        }
    }
    combo1_->setCurrentIndex(settings_.combo1());
    const QSignalBlocker rateBlocker(HScroll1_);
    HScroll1_->setValue(settings_.HScroll1());
    const QSignalBlocker volumeBlocker(HScroll2_);
    HScroll2_->setValue(settings_.HScroll2());
}

void VoiceDialog::showDialog() {
    refresh();
    showRaised(this, placed_);
    activateWindow();
}

}  // namespace lorvane::companion
