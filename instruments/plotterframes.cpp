// The window's frame text signal, split from the frames only while
// something listens.
#include "plotter.h"

#include <QMetaMethod>

void Plotter::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&Plotter::newData))
        session.intake().setFrameWatcher(
            [this](QLatin1String frameText) { emit newData(FrameScanner::fields(frameText)); });
    InstrumentDialog::connectNotify(signal);
}

void Plotter::disconnectNotify(const QMetaMethod &signal)
{
    // Qt may call this holding its connection lock, which asking whether
    // anything is still connected takes again: ask from the event loop.
    if (!signal.isValid() || signal == QMetaMethod::fromSignal(&Plotter::newData)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!isSignalConnected(QMetaMethod::fromSignal(&Plotter::newData)))
                    session.intake().setFrameWatcher({});
            },
            Qt::QueuedConnection);
    }
    InstrumentDialog::disconnectNotify(signal);
}
