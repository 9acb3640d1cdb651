#pragma once

#include <QComboBox>
#include <QDialog>
#include <QScrollBar>

namespace lorvane::companion {

class VoiceSettings;

// The voice settings dialog `Form2`: voice, speaking rate and volume of the
// companion's voice. Every change is passed on at once; there is no OK
// step. It holds these settings for the whole run: made hidden at
// start, hidden again by its button or any close, destroyed only at exit.
class VoiceDialog : public QDialog {
    Q_OBJECT

public:
    explicit VoiceDialog(const VoiceSettings& settings, QWidget* parent = nullptr);

    // Shows the settings' voice list, selection and positions.
    void refresh();
    // Shows the dialog modeless, centred on the screen the first time.
    void showDialog();

signals:
    void voiceChosen(int index);
    void rateChanged(int rate);
    void volumeChanged(int volume);

private:
    const VoiceSettings& settings_;
    QComboBox* voices_ = nullptr;
    QScrollBar* rate_ = nullptr;
    QScrollBar* volume_ = nullptr;
    bool placed_ = false;
};

}  // namespace lorvane::companion
