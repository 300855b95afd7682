#pragma once

#include "windowsettings.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <functional>

class ReadingChart;
class QAction;
class QWidget;

// An instrument window's settings kept for its next opening, in the
// settings file under the group of its class ("osciloscope"): its place and size, its chart's
// span and what the instrument itself keeps (`values`, read back by
// `apply`). They come back as the window is first shown and are written when
// it closes. "Restore Defaults" puts the window's choices back as specified
// and forgets what was kept for it.
class WindowMemory : public QObject
{
    Q_OBJECT

public:
    // `apply` gets the instrument's values as kept, or none for the
    // specified defaults.
    WindowMemory(QWidget *window, std::function<QVariantMap()> values,
                 std::function<void(const QVariantMap &)> apply);

    QAction *restoreDefaultsAction() const { return m_restoreDefaultsAction; }
    // Off for a window showing a file: it neither takes the instrument's
    // kept place and choices nor keeps its own over them.
    void setKeeping(bool keeping);

    // Gives a chart just opened its kept span, and keeps the span it has
    // when it closes.
    void followChart(ReadingChart *chart);
    // Writes what the window shows now. Where the file cannot be written,
    // nothing is kept.
    void save();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void restore();
    void restoreDefaults();
    void noteChartSpan();
    // Known once the window's own class is built.
    QString group() const;

    QWidget *const m_window;
    const std::function<QVariantMap()> m_values;
    const std::function<void(const QVariantMap &)> m_apply;
    QAction *const m_restoreDefaultsAction;
    WindowSettings m_kept;
    QPointer<ReadingChart> m_chart;
    // The same chart, only to be told apart in eventFilter().
    const QObject *m_chartObject = nullptr;
    bool m_restored = false;
    bool m_keeping = true;
};
