#pragma once

#include <QAudioSink>
#include <QIODevice>
#include <QtGlobal>

namespace lorvane::speech {

// Playing finished sound through a QAudioSink in push mode: the whole of it
// is handed to the audio server at once, which starts it at once and plays
// it out by itself.
//
// Qt 6.4's PulseAudio sink must not be reused in pull mode: every start asks
// the server again for the buffer it was granted last time, the server
// grants a little less each time, and after a handful of starts the buffer
// is smaller than the period the sink feeds it by, so nothing is ever
// written again. Starting through here asks for the same buffer every time.

// Starts `sink` for pushing; null when there is no audio server.
QIODevice* startPushing(QAudioSink& sink);

// Hands `bytes` of 16-bit samples to a started sink's device. A stream
// starts only once the server holds its pre-buffer, so a stretch shorter
// than the sink's buffer is followed by silence up to that length.
void pushWhole(QIODevice& device, const QAudioSink& sink, const char* data, qint64 bytes);

}  // namespace lorvane::speech
