#pragma once

#include "audio/SpeakThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>

namespace qv::test {

// Waits until every announcement has been spoken to its end, handling the
// events its thread posts meanwhile; false when some still speak after
// timeoutMs.
inline bool waitForAnnouncements(int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (TSpeakThread::liveCount() > 0 && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return TSpeakThread::liveCount() == 0;
}

} // namespace qv::test
