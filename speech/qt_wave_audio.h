#pragma once

#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <memory>

#include "wave_audio.h"

// The recorder on the desktop's audio server: records from the default input
// into memory with a QAudioSource and plays a stretch of it with a QAudioSink.
// Without an audio server every command simply does nothing.
class QtWaveAudio : public WaveAudio {
public:
    QtWaveAudio();
    ~QtWaveAudio() override;

    void setFileName(const std::string& name) override;
    void command(std::string_view what) override;
    long position() const override;
    void setFrom(long milliseconds) override { from_ = milliseconds; }
    void setTo(long milliseconds) override { to_ = milliseconds; }

    // The recording so far, 16-bit mono samples at format().sampleRate().
    const QByteArray& recording() const { return recording_; }
    QAudioFormat format() const { return format_; }

private:
    void open();
    void record();
    void stop();
    void play();
    void close();
    void takeInput();
    long millisecondsOf(qsizetype bytes) const;
    qsizetype bytesOf(long milliseconds) const;

    QAudioFormat format_;
    std::string fileName_;
    bool open_ = false;
    long from_ = 0;
    long to_ = 0;
    QByteArray recording_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    std::unique_ptr<QAudioSink> sink_;
    QByteArray playData_;
    QBuffer playBuffer_;
    qsizetype playStart_ = 0;
};
