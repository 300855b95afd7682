#pragma once

#include <qcustomplot.h>

// A small text drawn over a plot on `layer`, hidden until there is something
// to say. Its background is the plot's, `background`, so the grid's dots and
// the graphs do not run through it.
inline QCPItemText *addPlotNote(QCustomPlot *plot, const QString &layer, const QColor &color,
                                const QColor &background)
{
    auto *text = new QCPItemText(plot);
    text->setLayer(layer);
    text->position->setType(QCPItemPosition::ptAxisRectRatio);
    text->setPadding(QMargins(4, 1, 4, 1));
    QFont font = text->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 0.8);
    text->setFont(font);
    text->setColor(color);
    text->setBrush(QBrush(background));
    text->setVisible(false);
    return text;
}

// Keeps `text` at the axis rect's top right corner, or right under `above`
// while that is shown, so the two never cover each other.
inline void placeTopRight(QCPItemText *text, QCPItemText *above)
{
    if (above && above->visible()) {
        text->position->setParentAnchor(above->bottomRight);
        text->position->setType(QCPItemPosition::ptAbsolute);
        text->position->setCoords(0, 0);
    } else {
        text->position->setParentAnchor(nullptr);
        text->position->setType(QCPItemPosition::ptAxisRectRatio);
        text->position->setCoords(1, 0);
    }
}

// What the shown ones of `texts` say, in order.
template<typename Texts>
QStringList shownTexts(const Texts &texts)
{
    QStringList shown;
    for (const QCPItemText *text : texts) {
        if (text && text->visible())
            shown.append(text->text());
    }
    return shown;
}
