#include "speech/pushed_playback.h"

#include <QByteArray>

namespace lorvane::speech {

namespace {
// Short enough that the first sound is not held back, long enough that a
// busy server does not run dry between its own wake-ups.
constexpr qint64 kBufferMicroseconds = 40'000;
}  // namespace

QIODevice* startPushing(QAudioSink& sink) {
    sink.setBufferSize(sink.format().bytesForDuration(kBufferMicroseconds));
    return sink.start();
}

void pushWhole(QIODevice& device, const QAudioSink& sink, const char* data, qint64 bytes) {
    device.write(data, bytes);
    const qint64 shortfall = sink.bufferSize() - bytes;
    if (shortfall > 0) {
        device.write(QByteArray(shortfall, '\0'));
    }
}

}  // namespace lorvane::speech
