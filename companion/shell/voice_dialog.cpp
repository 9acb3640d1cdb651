#include "companion/shell/voice_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "companion/engine/voice_settings.h"
#include "speech/voice.h"
#include "ui_support/twips.h"
#include "ui_support/window_placement.h"

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

VoiceDialog::VoiceDialog(const VoiceSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("              设置"));
    setFixedSize(ui::pixels(3510), ui::pixels(2325));

    label(this, "Label7", QStringLiteral("朗读语音"), ui::twipsRect(240, 120, 720, 180));
    voices_ = new QComboBox(this);
    voices_->setObjectName(QStringLiteral("combo1"));
    voices_->setGeometry(ui::twipsRect(1200, 120, 2055, 300));
    label(this, "Label8", QStringLiteral("语速"), ui::twipsRect(240, 720, 360, 180));
    rate_ = scrollBar(this, "HScroll1", ui::twipsRect(720, 720, 2535, 255), speech::Voice::kMinRate,
                      speech::Voice::kMaxRate);
    label(this, "Label1", QStringLiteral("音量"), ui::twipsRect(240, 1200, 360, 180));
    volume_ = scrollBar(this, "HScroll2", ui::twipsRect(720, 1200, 2535, 255),
                        speech::Voice::kMinVolume, speech::Voice::kMaxVolume);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("Command2"));
    close->setGeometry(ui::twipsRect(1440, 1800, 855, 375));
    close->setAutoDefault(false);

    // The rate first; the labels between take no focus.
    setTabOrder(rate_, voices_);
    setTabOrder(voices_, volume_);
    setTabOrder(volume_, close);

    // The settings pass on only real changes, so setting a control to the
    // value it shows reaches the voice no more than once.
    connect(voices_, &QComboBox::activated, this, &VoiceDialog::voiceChosen);
    connect(rate_, &QScrollBar::valueChanged, this, &VoiceDialog::rateChanged);
    connect(volume_, &QScrollBar::valueChanged, this, &VoiceDialog::volumeChanged);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    refresh();
}

void VoiceDialog::refresh() {
    const QSignalBlocker comboBlocker(voices_);
    if (voices_->count() != static_cast<int>(settings_.voiceNames().size())) {
        voices_->clear();
        for (const std::string& voice : settings_.voiceNames()) {
            voices_->addItem(QString::fromStdString(voice));
        }
    }
    voices_->setCurrentIndex(settings_.voiceIndex());
    const QSignalBlocker rateBlocker(rate_);
    rate_->setValue(settings_.rate());
    const QSignalBlocker volumeBlocker(volume_);
    volume_->setValue(settings_.volume());
}

void VoiceDialog::showDialog() {
    refresh();
    ui::showRaised(this, placed_);
    activateWindow();
}

}  // namespace lorvane::companion
