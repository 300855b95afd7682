#pragma once

#include "plotcolours.h"

#include <QString>
#include <QtGlobal>

class QCPItemText;
class QCustomPlot;

// The small texts a plotter draws over its plot, on a layer of their own:
// "● REC <file> <n> samples" in the top left while recording, and how many
// damaged frames were skipped in the top right, and in the bottom left what
// went wrong with publishing.
class PlotNotes
{
public:
    static const QString layerName;

    void addTo(QCustomPlot *plot, const PlotColours::Palette &palette);
    void setPalette(const PlotColours::Palette &palette);
    // Brings the notes up to date; says whether any changed.
    bool update(const QString &recordingText, quint64 damagedFrames);
    // What publishing has to say ("broker unreachable, …"), in the bottom
    // left; "" hides it. Says whether it changed.
    bool setPublishingText(const QString &text);

    QCPItemText *damageNote() const { return m_damageNote; }
    QCPItemText *recordingNote() const { return m_recordingNote; }

private:
    QCPItemText *m_damageNote = nullptr;
    QCPItemText *m_recordingNote = nullptr;
    QCPItemText *m_publishingNote = nullptr;
    // The count the damage note shows.
    quint64 m_notedDamage = 0;
};
