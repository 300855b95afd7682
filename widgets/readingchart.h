#pragma once

#include <QList>
#include <QWidget>

// The chart of an instrument's kept readings as the instrument's window sees
// it: a window of its own that it opens, closes with itself, and whose span
// it keeps for the next opening (WindowMemory). How it draws is the plot's.
class ReadingChart : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The spans a chart offers, in ms; 0 is All.
    static const QList<qint64> &spans();
    static constexpr qint64 defaultSpanMs = 600000; // 10 min

    virtual qint64 spanMs() const = 0;
    virtual void setSpan(qint64 spanMs) = 0;
};
