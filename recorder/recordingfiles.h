#pragma once

#include "csvrecorder.h"
#include "recorderoptions.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <limits>

struct Sample;

// The files of one recording: CsvRecorder writes each; a rotation ends the
// file at a boundary and goes on in a new one with its own header, the row
// numbers and time_s counting on. Rows are appended from one thread only.
class RecordingFiles : public QObject
{
    Q_OBJECT

public:
    // `out` as given on the command line: a path, "-" or empty.
    RecordingFiles(const QString &instrument, const QString &out,
                   RecorderOptions::Rotation rotation, qint64 rotateBytes,
                   const QStringList &header, QObject *parent = nullptr);

    // Opens the first file; time_s counts from `originNs`. False, with
    // errorString(), when it cannot be created.
    bool start(qint64 originNs);
    QString errorString() const { return m_errorString; }

    void appendRow(qint64 timeNs, const QStringList &values);
    // With a computed value (NaN: none) for each of `computedNames`; the
    // header's computed columns take theirs by name.
    void appendSample(const Sample &sample, const double *computed, const QStringList &computedNames);
    // Before start(): the header, computed channels and all, of every file.
    void setHeader(const QStringList &header) { m_header = header; }

    // Writes what is left and closes the file; returns the rows it holds.
    qint64 stop();
    // Removes the file made by start() when nothing came of it.
    void discard();

    // The last row number given, across files.
    qint64 rowCount() const { return m_recorder.rowCount(); }
    qint64 fileBytes() const { return m_recorder.bytesAppended(); }
    QString fileName() const { return m_recorder.fileName(); }

    // Brings the next time boundary in line with the wall clock, which may
    // have been set since (called once a second).
    void followClock();

    // Plain parts, tested on their own.
    // "run.csv" becomes run-2026-12-08.csv (daily), run-2026-12-08T14.csv
    // (hourly) or run-2026-12-08T14-03-05.csv (by size) at local time `at`.
    static QString rotatedName(const QString &path, RecorderOptions::Rotation rotation,
                               const QDateTime &at);
    // The first boundary after `at` (local time); invalid without one.
    static QDateTime nextBoundary(RecorderOptions::Rotation rotation, const QDateTime &at);
    // "<instrument>-YYYYMMDD-HHMMSS.csv", as a window suggests, or
    // "<instrument>.csv" to rotate from.
    static QString defaultName(const QString &instrument, bool rotating, const QDateTime &at);
    // `path`, or path-2, path-3… before its suffix when that is taken: a
    // name of the recorder's own never overwrites a file.
    static QString freeName(const QString &path);

signals:
    // The recording ended: a write failed or a new file could not be made.
    void failed(const QString &reason, qint64 rowsInFile);

private:
    bool open(const QString &path, qint64 originNs, qint64 rowsBefore);
    void rotateIfDue(qint64 timeNs);
    void setBoundary();

    const RecorderOptions::Rotation m_rotation;
    const qint64 m_rotateBytes;
    QStringList m_header;
    const bool m_toStandardOutput;
    // What rotated names are made from.
    QString m_basePath;
    QString m_errorString;
    CsvRecorder m_recorder;
    qint64 m_originNs = 0;
    bool m_failed = false;
    // On the monotonic clock: rows read from then on go to a new file.
    qint64 m_boundaryNs = std::numeric_limits<qint64>::max();
    QDateTime m_boundary;
    bool m_createdFile = false;
};
