#include "recordingcontrol.h"

#include "filesaving.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>

RecordingControl::RecordingControl(QWidget *window, const InstrumentProtocol &instrument,
                                   const SampleStore *computedFrom)
    : QObject(window),
      m_window(window),
      m_instrument(instrument),
      m_computedFrom(computedFrom),
      m_action(new QAction(tr("Start Recording…"), this))
{
    m_action->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_R));
    connect(m_action, &QAction::triggered, this, &RecordingControl::toggle);
    connect(&m_recorder, &CsvRecorder::failed, this, &RecordingControl::onWriteFailed);
}

RecordingControl::~RecordingControl() = default;

QString RecordingControl::overlayText() const
{
    return tr("● REC %1 %2 samples")
        .arg(QFileInfo(fileName()).fileName(), QString::number(rowCount()));
}

void RecordingControl::toggle()
{
    const auto work = [this] {
        if (isRecording())
            stop();
        else
            askAndStart();
    };
    if (m_guard)
        m_guard(work);
    else
        work();
}

void RecordingControl::askAndStart()
{
    const QString path = FileSaving::askSaveFileName(
        m_window, tr("Record Data"), FileSaving::Folder::Data,
        FileSaving::suggestedName(m_instrument.name, QStringLiteral("csv")), tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        start(path);
}

void RecordingControl::start(const QString &path)
{
    m_recorder.start(path, m_instrument.recordingHeader(
                               m_computedFrom ? m_computedFrom->computedNames() : QStringList()));
    announce();
}

qint64 RecordingControl::stop()
{
    const qint64 rows = m_recorder.stop();
    announce();
    return rows;
}

void RecordingControl::onWriteFailed(const QString &reason, qint64 rowsInFile)
{
    announce();
    const QString rows = rowsInFile == 1 ? tr("1 row") : tr("%1 rows").arg(rowsInFile);
    // The window may be closing (this was its recording's last write): the
    // box must outlive it.
    FileSaving::showCouldNotSave(nullptr, fileName(), reason,
                                 m_recorder.fileOpened()
                                     ? tr("The recording ended; the file holds %1.").arg(rows)
                                     : tr("The recording ended; nothing was written."));
}

void RecordingControl::announce()
{
    const bool recording = isRecording();
    m_action->setText(recording ? tr("Stop Recording") : tr("Start Recording…"));
    if (recording == m_announcedRecording)
        return;
    m_announcedRecording = recording;
    emit recordingChanged(recording);
}
