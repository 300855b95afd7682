#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// The value under a resting pointer, as a tool tip over `plot`. Tool-tip
// events come only while the pointer rests: no cost per move.
class HoverReadout : public QObject
{
public:
    // The text at a point of the plot; empty for none.
    using Text = std::function<QString(const QPoint &plotPosition)>;

    HoverReadout(QWidget *plot, Text text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *const plot;
    const Text text;
};
