#include "hoverreadout.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

HoverReadout::HoverReadout(QWidget *plot, Text text)
    : QObject(plot), plot(plot), text(std::move(text))
{
    plot->installEventFilter(this);
}

bool HoverReadout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != plot || event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString readout = text(help->pos());
    if (readout.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), readout, plot);
    return true;
}
