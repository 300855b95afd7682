// The board's recording for RECord: the windows' columns, written by the
// recorder that writes off this thread.
#include "remoteboard.h"

#include "csvrecorder.h"

QString RemoteBoard::startRecording(const QString &path, const InstrumentProtocol &instrument)
{
    const QString failure = ensureOpen();
    if (!failure.isEmpty())
        return failure;
    stopRecording();
    if (instrument.sendsSamples()) {
        if (!m_acquiring || m_acquisition != &instrument) {
            setAcquisition(instrument);
            const QString notStarted = initiate();
            if (!notStarted.isEmpty())
                return notStarted;
        }
    } else {
        endAcquisition(QStringLiteral("a recording stopped the acquisition"));
        planInstrument(&instrument);
    }
    if (!m_recorder)
        m_recorder = std::make_unique<CsvRecorder>();
    m_recorded = &instrument;
    m_recorder->start(path, instrument.header);
    return QString();
}

void RemoteBoard::stopRecording()
{
    m_recorded = nullptr;
    if (m_recorder)
        m_recorder->stop();
}

bool RemoteBoard::isRecording() const
{
    return m_recorded && m_recorder && m_recorder->isRecording();
}
