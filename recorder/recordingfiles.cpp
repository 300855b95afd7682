#include "recordingfiles.h"

#include "monotonicclock.h"
#include "samplestore.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <unistd.h>

namespace {

using Rotation = RecorderOptions::Rotation;

// The name with `tag` before its suffix: run.csv and "x" give run-x.csv.
QString tagged(const QString &path, const QString &tag)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : '.' + info.suffix();
    const QString stem = path.left(path.size() - suffix.size());
    return stem + QLatin1Char('-') + tag + suffix;
}

} // namespace

RecordingFiles::RecordingFiles(const QString &instrument, const QString &out, Rotation rotation,
                               qint64 rotateBytes, const QStringList &header, QObject *parent)
    : QObject(parent),
      m_rotation(rotation),
      m_rotateBytes(rotateBytes),
      m_header(header),
      m_toStandardOutput(out == QLatin1String("-")),
      m_basePath(out.isEmpty() ? defaultName(instrument, rotation != Rotation::None,
                                             QDateTime::currentDateTime())
                               : out)
{
    connect(&m_recorder, &CsvRecorder::failed, this, [this](const QString &reason, qint64 rows) {
        m_failed = true;
        emit failed(reason, rows);
    });
}

QString RecordingFiles::rotatedName(const QString &path, Rotation rotation, const QDateTime &at)
{
    switch (rotation) {
    case Rotation::Daily:
        return tagged(path, at.toString(QStringLiteral("yyyy-MM-dd")));
    case Rotation::Hourly:
        return tagged(path, at.toString(QStringLiteral("yyyy-MM-ddTHH")));
    case Rotation::Size:
        return tagged(path, at.toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")));
    case Rotation::None:
        break;
    }
    return path;
}

QDateTime RecordingFiles::nextBoundary(Rotation rotation, const QDateTime &at)
{
    if (rotation == Rotation::Daily)
        return QDateTime(at.date().addDays(1), QTime(0, 0));
    if (rotation == Rotation::Hourly) {
        // From the hour's start in seconds, so a day with a changed clock
        // (daylight saving) still gets its hours.
        const QDateTime hour(at.date(), QTime(at.time().hour(), 0));
        return hour.addSecs(3600);
    }
    return QDateTime();
}

QString RecordingFiles::defaultName(const QString &instrument, bool rotating, const QDateTime &at)
{
    if (rotating)
        return instrument + QStringLiteral(".csv");
    return instrument + QLatin1Char('-') + at.toString(QStringLiteral("yyyyMMdd-HHmmss"))
           + QStringLiteral(".csv");
}

QString RecordingFiles::freeName(const QString &path)
{
    QString name = path;
    for (int copy = 2; QFileInfo::exists(name); ++copy)
        name = tagged(path, QString::number(copy));
    return name;
}

bool RecordingFiles::start(qint64 originNs)
{
    m_originNs = originNs;
    if (m_toStandardOutput) {
        m_recorder.startOnDescriptor(STDOUT_FILENO, tr("standard output"), m_header,
                                     originNs);
        return true;
    }
    const QString first = m_rotation == Rotation::None
                              ? m_basePath
                              : freeName(rotatedName(m_basePath, m_rotation,
                                                     QDateTime::currentDateTime()));
    m_createdFile = !QFileInfo::exists(first);
    if (!open(first, originNs, 0))
        return false;
    setBoundary();
    return true;
}

bool RecordingFiles::open(const QString &path, qint64 originNs, qint64 rowsBefore)
{
    // The file is opened on the writer's thread; one that cannot be made
    // ends the recording through failed(), as a failed write does.
    m_recorder.start(path, m_header, originNs, rowsBefore);
    return true;
}

void RecordingFiles::setBoundary()
{
    const QDateTime now = QDateTime::currentDateTime();
    m_boundary = nextBoundary(m_rotation, now);
    if (!m_boundary.isValid()) {
        m_boundaryNs = std::numeric_limits<qint64>::max();
        return;
    }
    // The rows carry monotonic times: the boundary is put on that clock.
    m_boundaryNs = monotonicNowNs() + now.msecsTo(m_boundary) * 1000000;
}

void RecordingFiles::followClock()
{
    if (!m_recorder.isRecording() || !m_boundary.isValid())
        return;
    // A clock set forward past the boundary is a boundary too; one set back
    // keeps the file until the boundary comes.
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 nowNs = monotonicNowNs();
    m_boundaryNs = nowNs + std::max<qint64>(now.msecsTo(m_boundary), 0) * 1000000;
}

void RecordingFiles::rotateIfDue(qint64 timeNs)
{
    const bool due = timeNs >= m_boundaryNs
                     || (m_rotation == Rotation::Size && fileBytes() >= m_rotateBytes);
    if (!due || !m_recorder.isRecording())
        return;
    const qint64 rowsBefore = rowCount();
    m_recorder.stop();
    if (m_failed)
        return;
    const QString next = freeName(rotatedName(m_basePath, m_rotation, QDateTime::currentDateTime()));
    m_createdFile = true;
    if (!open(next, m_originNs, rowsBefore)) {
        m_failed = true;
        emit failed(m_errorString, 0);
        return;
    }
    setBoundary();
}

void RecordingFiles::appendRow(qint64 timeNs, const QStringList &values)
{
    rotateIfDue(timeNs);
    m_recorder.appendRow(timeNs, values);
}

void RecordingFiles::appendSample(const Sample &sample, const double *computed,
                                  const QStringList &computedNames)
{
    rotateIfDue(sample.timeNs);
    m_recorder.takeSample(sample, computed, computedNames);
}

qint64 RecordingFiles::stop()
{
    return m_recorder.stop();
}

void RecordingFiles::discard()
{
    m_recorder.stop();
    if (m_createdFile && !m_toStandardOutput)
        QFile::remove(m_recorder.fileName());
}
