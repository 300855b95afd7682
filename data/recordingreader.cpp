#include "recordingreader.h"

#include "instrumentprotocol.h"
#include "sampleintake.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

struct Format
{
    const InstrumentProtocol *instrument;
    QStringList header;
    bool chartExport;
};

// What the panel writes: every instrument's recording and export headers.
const std::vector<Format> &formats()
{
    static const std::vector<Format> all = [] {
        std::vector<Format> formats;
        for (const InstrumentProtocol &instrument : InstrumentProtocol::all()) {
            for (const QStringList &header : instrument.fileHeaders()) {
                formats.push_back({&instrument, header,
                                   header == instrument.chartExportHeader()});
            }
        }
        return formats;
    }();
    return all;
}

QString grouped(qint64 number)
{
    return QLocale(QLocale::English).toString(number);
}

bool parseInteger(const char *begin, const char *end, qint64 *value)
{
    const auto result = std::from_chars(begin, end, *value);
    return begin != end && result.ec == std::errc() && result.ptr == end;
}

bool parseDouble(const char *begin, const char *end, double *value)
{
    const auto result = std::from_chars(begin, end, *value);
    return begin != end && result.ec == std::errc() && result.ptr == end;
}

// Seconds as ns; false for what is no finite time within about 30 years.
bool parseSeconds(const char *begin, const char *end, qint64 *ns)
{
    double seconds = 0;
    if (!parseDouble(begin, end, &seconds) || !std::isfinite(seconds) || std::abs(seconds) > 1e9)
        return false;
    *ns = std::llround(seconds * 1e9);
    return true;
}

// A cell for a message: short, and printable.
QString shown(const char *begin, const char *end)
{
    QString text = QString::fromUtf8(begin, int(std::min<ptrdiff_t>(end - begin, 40)));
    for (QChar &c : text) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    return QLatin1Char('"') + text + (end - begin > 40 ? QStringLiteral("…\"") : QStringLiteral("\""));
}

} // namespace

RecordingReader::RecordingReader(qint64 maxRowsKept, qint64 expectedBytes)
    : m_maxRowsKept(std::max<qint64>(maxRowsKept, 1))
{
    // About 20 bytes a row; never more than the rows kept.
    m_recording.samples.reserve(size_t(std::clamp<qint64>(expectedBytes / 16, 0, m_maxRowsKept)));
}

bool RecordingReader::fail(const QString &what)
{
    m_failed = true;
    m_error = tr("line %1: %2").arg(grouped(m_lineNumber), what);
    return false;
}

bool RecordingReader::feed(const char *data, size_t size)
{
    if (m_failed)
        return false;
    const char *const end = data + size;
    while (data < end) {
        const char *lineEnd = static_cast<const char *>(memchr(data, '\n', size_t(end - data)));
        if (!lineEnd) {
            m_partial.append(data, size_t(end - data));
            if (m_partial.size() > size_t(maxLineBytes)) {
                ++m_lineNumber;
                return fail(tr("longer than %1 characters").arg(grouped(maxLineBytes)));
            }
            return true;
        }
        bool taken;
        if (m_partial.empty()) {
            taken = takeLine(data, lineEnd);
        } else {
            m_partial.append(data, size_t(lineEnd - data));
            taken = takeLine(m_partial.data(), m_partial.data() + m_partial.size());
            m_partial.clear();
        }
        if (!taken)
            return false;
        data = lineEnd + 1;
    }
    return true;
}

bool RecordingReader::takeLine(const char *begin, const char *end)
{
    ++m_lineNumber;
    if (end - begin > maxLineBytes)
        return fail(tr("longer than %1 characters").arg(grouped(maxLineBytes)));
    if (end > begin && end[-1] == '\r')
        --end;
    if (m_lineNumber == 1 && end - begin >= 3 && memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
        begin += 3;
    m_fields.clear();
    for (const char *field = begin;;) {
        const char *comma = std::find(field, end, ',');
        m_fields.emplace_back(field, comma);
        if (comma == end)
            break;
        field = comma + 1;
    }
    if (m_lineNumber == 1) {
        QStringList names;
        for (const auto &[from, to] : m_fields)
            names.append(QString::fromUtf8(from, int(to - from)));
        return takeHeader(names);
    }
    if (int(m_fields.size()) != m_fieldCount) {
        return fail(tr("%1 fields, %2 expected")
                        .arg(grouped(qint64(m_fields.size())), grouped(m_fieldCount)));
    }
    return m_recording.isChart() ? takeReadingRow(m_fields) : takeSampleRow(m_fields);
}

bool RecordingReader::takeHeader(const QStringList &names)
{
    for (const Format &format : formats()) {
        const QStringList &wanted = format.header;
        // Computed channels' columns follow a plotter's.
        const bool extrasAllowed = format.instrument->sendsSamples();
        if (names.mid(0, wanted.size()) != wanted
            || (names.size() > wanted.size() && !extrasAllowed)
            || names.mid(wanted.size()).contains(QString()))
            continue;
        m_recording.instrument = format.instrument->name;
        m_recording.header = names;
        m_recording.extraColumns = names.mid(wanted.size());
        m_recording.isChartExport = format.chartExport;
        m_recording.hasReadings = !format.instrument->sendsSamples();
        m_recording.hasTimes = wanted.contains(QStringLiteral("time_s"));
        m_recording.valueNames = format.instrument->columns;
        m_recording.valueCount = int(m_recording.valueNames.size());
        m_fieldCount = int(names.size());
        return true;
    }
    const QByteArray first = names.join(QLatin1Char(',')).toUtf8();
    return fail(tr("not a recording or an export of this panel (it begins %1)")
                    .arg(shown(first.constData(), first.constData() + first.size())));
}

bool RecordingReader::markGapAt(qint64 timeNs)
{
    bool gap = false;
    if (m_lastTimeNs) {
        const double step = double(timeNs) - double(*m_lastTimeNs);
        if (!m_firstStepNs) {
            // One step alone tells nothing of the usual one: a pause right
            // after the first row would pass for the pace.
            m_firstStepNs = step;
        } else {
            if (m_usualStepNs < 0 && step >= 0) {
                // Of the first two steps a gap is the longer one.
                m_usualStepNs = *m_firstStepNs >= 0 ? std::min(step, *m_firstStepNs) : step;
                m_firstStepIsGap = isGap(*m_firstStepNs);
            }
            gap = isGap(step);
            if (!gap && step >= 0)
                m_usualStepNs += (step - m_usualStepNs) / 64;
        }
    }
    m_lastTimeNs = timeNs;
    return gap;
}

bool RecordingReader::isGap(double stepNs) const
{
    // A step far beyond the usual one, and long: the board was away.
    return stepNs > double(gapMinNs) && m_usualStepNs >= 0 && stepNs > 16 * m_usualStepNs;
}

bool RecordingReader::takeSampleRow(const std::vector<std::pair<const char *, const char *>> &fields)
{
    Sample sample;
    if (!parseInteger(fields[0].first, fields[0].second, &sample.index) || sample.index < 0)
        return fail(tr("the sample number %1 is not a whole number")
                        .arg(shown(fields[0].first, fields[0].second)));
    if (m_lastNumber && sample.index <= *m_lastNumber)
        return fail(tr("sample %1 comes after sample %2").arg(sample.index).arg(*m_lastNumber));
    sample.gapBefore = m_lastNumber && sample.index != *m_lastNumber + 1;
    m_lastNumber = sample.index;
    int column = 1;
    if (m_recording.hasTimes) {
        if (!parseSeconds(fields[1].first, fields[1].second, &sample.timeNs))
            return fail(tr("time_s %1 is not a time in seconds")
                            .arg(shown(fields[1].first, fields[1].second)));
        sample.gapBefore = markGapAt(sample.timeNs) || sample.gapBefore;
        column = 2;
    }
    for (int channel = 0; channel < Sample::channelCount; ++channel, ++column) {
        const auto [from, to] = fields[size_t(column)];
        if (from == to)
            continue; // a damaged field, as the board sent it
        if (!frameFieldValue(from, to, &sample.values[size_t(channel)]))
            return fail(tr("%1 %2 is not a whole number within range")
                            .arg(m_recording.header.at(column), shown(from, to)));
        sample.validMask |= quint8(1u << channel);
    }
    keep(m_recording.samples, sample);
    return true;
}

bool RecordingReader::takeReadingRow(const std::vector<std::pair<const char *, const char *>> &fields)
{
    Recording::Reading reading;
    if (m_recording.isChartExport) {
        const QDateTime at = QDateTime::fromString(
            QString::fromLatin1(fields[0].first, int(fields[0].second - fields[0].first)),
            Qt::ISODateWithMs);
        if (!at.isValid())
            return fail(tr("time_iso %1 is not a date and time")
                            .arg(shown(fields[0].first, fields[0].second)));
        reading.wallMs = at.toMSecsSinceEpoch();
    } else {
        qint64 number = 0;
        if (!parseInteger(fields[0].first, fields[0].second, &number))
            return fail(tr("the reading number %1 is not a whole number")
                            .arg(shown(fields[0].first, fields[0].second)));
    }
    if (!parseSeconds(fields[1].first, fields[1].second, &reading.timeNs))
        return fail(tr("time_s %1 is not a time in seconds")
                        .arg(shown(fields[1].first, fields[1].second)));
    reading.gapBefore = markGapAt(reading.timeNs);
    for (int i = 0; i < m_recording.valueCount; ++i) {
        const auto [from, to] = fields[2 + size_t(i)];
        double &value = reading.values[size_t(i)];
        value = std::numeric_limits<double>::quiet_NaN();
        if (from != to && !parseDouble(from, to, &value))
            return fail(tr("%1 %2 is not a number")
                            .arg(m_recording.header.at(2 + i), shown(from, to)));
    }
    keep(m_recording.readings, reading);
    return true;
}

template <typename Row>
void RecordingReader::keep(std::vector<Row> &kept, const Row &row)
{
    ++m_recording.rows;
    if (qint64(kept.size()) < m_maxRowsKept) {
        kept.push_back(row);
        return;
    }
    // Full: the newest row takes the oldest one's place.
    kept[m_ringHead] = row;
    m_ringHead = (m_ringHead + 1) % kept.size();
    ++m_recording.rowsLeftOut;
}

std::optional<Recording> RecordingReader::finish()
{
    if (m_failed)
        return std::nullopt;
    if (m_lineNumber == 0) {
        m_error = m_partial.empty() ? tr("the file is empty") : tr("its only line is cut off");
        return std::nullopt;
    }
    // The panel ends every row with a line feed: a last line without one
    // was cut off while it was written.
    m_recording.lastRowIncomplete = !m_partial.empty();
    if (m_recording.rows == 0) {
        m_error = tr("it holds no rows after its header");
        return std::nullopt;
    }
    std::rotate(m_recording.samples.begin(),
                m_recording.samples.begin() + std::ptrdiff_t(m_recording.samples.empty() ? 0 : m_ringHead),
                m_recording.samples.end());
    std::rotate(m_recording.readings.begin(),
                m_recording.readings.begin() + std::ptrdiff_t(m_recording.readings.empty() ? 0 : m_ringHead),
                m_recording.readings.end());
    // The first step was judged only once the second came.
    if (m_recording.rowsLeftOut == 0 && m_firstStepIsGap) {
        if (m_recording.samples.size() > 1)
            m_recording.samples[1].gapBefore = true;
        if (m_recording.readings.size() > 1)
            m_recording.readings[1].gapBefore = true;
    }
    // The oldest kept follows rows left out: not joined to what is not there.
    if (m_recording.rowsLeftOut > 0) {
        if (!m_recording.samples.empty())
            m_recording.samples.front().gapBefore = false;
        if (!m_recording.readings.empty())
            m_recording.readings.front().gapBefore = false;
    }
    return std::move(m_recording);
}

std::optional<Recording> readRecordingFile(const QString &path, ReadProgress *progress,
                                           QString *error)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = RecordingReader::tr("it is a folder");
        return std::nullopt;
    }
    if (info.exists() && !info.isFile()) {
        // A FIFO or a device would block or never end.
        *error = RecordingReader::tr("it is not a plain file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    // What is there now: a file that grows meanwhile is read up to here.
    // A system file (/proc, /sys) tells no size and is read to its end.
    const qint64 total = file.size();
    const bool sizeKnown = total > 0;
    progress->bytesTotal = total;
    RecordingReader reader(RecordingReader::maxRows, total);
    std::vector<char> block(1 << 20);
    qint64 done = 0;
    while ((!sizeKnown || done < total) && !progress->cancelled) {
        const qint64 wanted = sizeKnown ? std::min<qint64>(qint64(block.size()), total - done)
                                        : qint64(block.size());
        const qint64 got = file.read(block.data(), wanted);
        if (got < 0) {
            *error = file.errorString();
            return std::nullopt;
        }
        if (got == 0)
            break; // shrunk meanwhile, or the end of a system file
        done += got;
        const bool fine = reader.feed(block.data(), size_t(got));
        if (!reader.instrument().isEmpty() && progress->instrument.isEmpty()) {
            std::lock_guard<std::mutex> lock(progress->mutex);
            progress->instrument = reader.instrument();
        }
        progress->bytesRead = done;
        if (!fine) {
            *error = reader.error();
            return std::nullopt;
        }
    }
    if (progress->cancelled)
        return std::nullopt;
    std::optional<Recording> recording = reader.finish();
    if (!recording) {
        *error = reader.error();
        return std::nullopt;
    }
    // A recording's times count from its start; its file's last change
    // dates its last row.
    if (!recording->isChartExport && !recording->readings.empty()) {
        const qint64 lastMs = info.lastModified().toMSecsSinceEpoch();
        const qint64 lastTimeMs = recording->readings.back().timeNs / 1000000;
        for (Recording::Reading &reading : recording->readings)
            reading.wallMs = lastMs - lastTimeMs + reading.timeNs / 1000000;
    }
    return recording;
}
