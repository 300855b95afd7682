#pragma once

#include "instrumentprotocol.h"
#include "mathchannels.h"
#include "sampleintake.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// One sample instrument's stream without widgets: the intake and the
// computed channels it fills for every frame, in the instrument's frame
// unit. A plot window draws one and edits its channels; the recorder writes
// one to a file. So both compute the same columns from the same formulas
// and name them alike.
class SampleSession : public QObject
{
    Q_OBJECT

public:
    SampleSession(const InstrumentProtocol &protocol, int capacity, QObject *parent = nullptr);

    SampleIntake &intake() { return m_intake; }
    const SampleIntake &intake() const { return m_intake; }
    const SampleStore &store() const { return m_intake.store(); }

    const MathChannels &mathChannels() const { return m_channels; }
    const QVector<MathChannel> &channels() const { return m_channels.channels(); }
    // All or nothing: false, with the first channel's error, changing
    // nothing, when one is not valid.
    bool setChannels(const QVector<MathChannel> &channels, FormulaError *error = nullptr);
    // Inputs, then computed channels.
    QStringList names() const { return m_channels.names(); }
    // A recording's: the instrument's header, then the computed channels.
    QStringList recordingHeader() const;

signals:
    void channelsChanged();

private:
    const InstrumentProtocol &m_protocol;
    // Before the intake, which computes with it until it is gone.
    MathChannels m_channels;
    SampleIntake m_intake;
};
