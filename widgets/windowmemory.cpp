#include "windowmemory.h"

#include "readingchart.h"
#include "settingsfile.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

WindowMemory::WindowMemory(QWidget *window, std::function<QVariantMap()> values,
                           std::function<void(const QVariantMap &)> apply)
    : QObject(window), m_window(window), m_values(std::move(values)),
      m_apply(std::move(apply)), m_restoreDefaultsAction(new QAction(tr("Restore Defaults"), this))
{
    connect(m_restoreDefaultsAction, &QAction::triggered, this, &WindowMemory::restoreDefaults);
    window->installEventFilter(this);
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    // Before the window is on the screen: it appears where it was.
    if (watched == m_window && event->type() == QEvent::Show && !m_restored && m_keeping) {
        m_restored = true;
        restore();
    }
    // Compared as an object: a chart being destroyed is a chart no more, and
    // only its close, before that, still has a span to note.
    if (watched == m_chartObject && event->type() == QEvent::Close)
        noteChartSpan();
    return QObject::eventFilter(watched, event);
}

QString WindowMemory::group() const
{
    return QString::fromLatin1(m_window->metaObject()->className()).toLower();
}

void WindowMemory::restore()
{
    const QVariantMap values = SettingsFile::readGroup(group());
    m_kept = WindowSettings::fromValues(values, ReadingChart::spans());
    if (m_kept.geometry) {
        QList<QRect> screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens.append(screen->availableGeometry());
        m_window->setGeometry(placedOnScreens(*m_kept.geometry, screens));
    }
    if (!values.isEmpty())
        m_apply(values);
}

void WindowMemory::restoreDefaults()
{
    m_kept.chartSpanMs.reset();
    if (m_chart)
        m_chart->setSpan(ReadingChart::defaultSpanMs);
    m_apply(QVariantMap());
    SettingsFile::writeGroup(group(), QVariantMap());
}

void WindowMemory::followChart(ReadingChart *chart)
{
    m_chart = chart;
    m_chartObject = chart;
    chart->installEventFilter(this);
    if (m_kept.chartSpanMs)
        chart->setSpan(*m_kept.chartSpanMs);
}

void WindowMemory::noteChartSpan()
{
    if (m_chart && m_chart->spanMs() != ReadingChart::defaultSpanMs)
        m_kept.chartSpanMs = m_chart->spanMs();
    else if (m_chart)
        m_kept.chartSpanMs.reset();
}

void WindowMemory::setKeeping(bool keeping)
{
    m_keeping = keeping;
    m_restoreDefaultsAction->setVisible(keeping);
}

void WindowMemory::save()
{
    if (!m_keeping)
        return;
    noteChartSpan();
    m_kept.geometry = m_window->geometry();
    QVariantMap values = m_values();
    const QVariantMap own = m_kept.toValues();
    for (auto it = own.constBegin(); it != own.constEnd(); ++it)
        values.insert(it.key(), it.value());
    SettingsFile::writeGroup(group(), values);
}
