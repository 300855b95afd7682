// A plot window's captures in Normal and Single mode: each one shown is
// handed to the saving, and a Single capture stops the plot.
#include "plotter.h"

#include "csv.h"
#include "filesaving.h"

#include <QBuffer>

#include <qcustomplot.h>

#include <algorithm>
#include <climits>

void Plotter::takeCapture()
{
    const ScopeTrigger &trigger = scopeView.trigger();
    if (trigger.captureCount() == capturesSeen)
        return;
    // Captures replaced within one redraw were never shown: missed.
    const int unseen = int(std::min<quint64>(trigger.captureCount() - capturesSeen - 1, INT_MAX));
    capturesSeen = trigger.captureCount();
    const std::optional<TriggeredView> view = scopeView.triggeredView();
    if (trigger.captureMode() == CaptureMode::Auto || !view)
        return;
    if (captureSaving.isSaving()) {
        QByteArray picture;
        if (captureSaving.wantsPictures()) {
            QBuffer buffer(&picture);
            buffer.open(QIODevice::WriteOnly);
            plot->toPixmap(plot->width(), plot->height()).save(&buffer, "PNG");
        }
        captureSaving.take(Csv::captureTable(session.store(),
                                             QStringList(QStringLiteral("sample")) + session.names(),
                                             view->firstIndex, view->lastIndex, view->triggerIndex),
                           picture, unseen);
    }
    if (plotting && trigger.status() == TriggerStatus::Stopped)
        setPlotting(false);
}

void Plotter::chooseCaptureFolder(bool checked)
{
    if (!checked) {
        captureSaving.stop();
        return;
    }
    // The dialog runs a loop of its own: the window must outlive it.
    BusyScope busy(this);
    const QString folder =
        FileSaving::askFolder(this, tr("Save Each Capture"), FileSaving::Folder::Data);
    if (folder.isEmpty())
        captureSaving.stop();
    else
        captureSaving.start(folder);
}
