#pragma once

#include "audio/AudioChannel.h"
#include "audio/SoundSystem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace qv::test {

// Waits until every announcement of the system has been spoken to its end and
// freed, handling the events its thread posts meanwhile; false when some still
// speak after timeoutMs.
inline bool waitForAnnouncements(SoundSystem& sound, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (sound.announcementsAlive() > 0 && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return sound.announcementsAlive() == 0;
}

// The channel's first attempt to reach a server has its outcome in the
// background; where there is none, this waits until the channel knows it.
inline bool waitForNoOutput(const SoundChannel& channel, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (channel.outputDeviceCount() != 0 && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return channel.outputDeviceCount() == 0;
}

} // namespace qv::test
