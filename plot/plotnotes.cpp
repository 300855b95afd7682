#include "plotnotes.h"

#include "plotnote.h"

#include <QCoreApplication>

const QString PlotNotes::layerName = QStringLiteral("notes");

void PlotNotes::addTo(QCustomPlot *plot, const PlotColours::Palette &palette)
{
    // A logical layer: it shares the plot's one paint buffer.
    plot->addLayer(layerName, plot->layer(QStringLiteral("legend")), QCustomPlot::limAbove);

    m_damageNote = addPlotNote(plot, layerName, QColor(), palette.background);
    m_damageNote->setObjectName(QStringLiteral("damageNote"));
    m_damageNote->position->setCoords(1, 0);
    m_damageNote->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);

    m_recordingNote = addPlotNote(plot, layerName, QColor(), palette.background);
    m_recordingNote->setObjectName(QStringLiteral("recordingNote"));
    m_recordingNote->position->setCoords(0, 0);
    m_recordingNote->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_publishingNote = addPlotNote(plot, layerName, QColor(), palette.background);
    m_publishingNote->setObjectName(QStringLiteral("publishingNote"));
    m_publishingNote->position->setCoords(0, 1);
    m_publishingNote->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    setPalette(palette);
}

void PlotNotes::setPalette(const PlotColours::Palette &palette)
{
    m_damageNote->setColor(palette.quietText);
    m_recordingNote->setColor(palette.recordingText);
    m_publishingNote->setColor(palette.quietText);
}

bool PlotNotes::setPublishingText(const QString &text)
{
    if (text == m_publishingNote->text() && m_publishingNote->visible() == !text.isEmpty())
        return false;
    m_publishingNote->setText(text);
    m_publishingNote->setVisible(!text.isEmpty());
    return true;
}

bool PlotNotes::update(const QString &recordingText, quint64 damagedFrames)
{
    const bool recordingChanged = recordingText != m_recordingNote->text()
                                  || m_recordingNote->visible() != !recordingText.isEmpty();
    m_recordingNote->setText(recordingText);
    m_recordingNote->setVisible(!recordingText.isEmpty());

    if (damagedFrames == m_notedDamage)
        return recordingChanged;
    m_notedDamage = damagedFrames;
    m_damageNote->setText(
        damagedFrames == 1
            ? QCoreApplication::translate("Plotter", "1 damaged frame skipped")
            : QCoreApplication::translate("Plotter", "%1 damaged frames skipped").arg(damagedFrames));
    m_damageNote->setVisible(damagedFrames > 0);
    return true;
}
