#include "readingintake.h"

#include "csv.h"

#include <cmath>
#include <limits>

QString Reading::shown(int i) const
{
    return ReadingAccumulator::withoutLineEnd(fields.value(i));
}

bool Reading::isDamaged() const
{
    for (const QString &cell : cells) {
        if (cell.isEmpty())
            return true;
    }
    return false;
}

Reading Reading::of(const QStringList &fields, int count)
{
    Reading reading;
    reading.fields = fields;
    reading.values.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString cell = Csv::number(ReadingAccumulator::withoutLineEnd(fields.value(i)));
        bool ok = false;
        const double value = cell.toDouble(&ok);
        reading.cells.append(cell);
        reading.values.push_back(ok && std::isfinite(value) ? value
                                                            : std::numeric_limits<double>::quiet_NaN());
    }
    return reading;
}

ReadingIntake::ReadingIntake(const InstrumentProtocol &instrument, ReadingClock clock)
    : m_instrument(instrument), m_valueCount(int(instrument.columns.size())),
      m_clock(std::move(clock))
{
}

void ReadingIntake::reset()
{
    m_lines.reset();
    m_accumulator.reset();
}

std::vector<Reading> ReadingIntake::take(const QByteArray &bytes, qint64 readNs)
{
    std::vector<Reading> readings;
    for (const QByteArray &line : m_lines.feed(bytes)) {
        Reading reading;
        if (m_instrument.replies == InstrumentProtocol::Replies::Readings) {
            const std::optional<QStringList> fields = m_accumulator.addLine(line);
            if (!fields) {
                ++m_damaged;
                continue;
            }
            reading = Reading::of(*fields, m_valueCount);
        } else {
            // Decoded whole: a NUL byte does not cut off the rest.
            reading = Reading::of({QString::fromUtf8(line.constData(), line.size())}, m_valueCount);
        }
        m_damaged += reading.isDamaged() ? 1 : 0;
        const ReadingClock::Stamp stamp = m_clock.stamp(readNs);
        reading.readNs = readNs;
        reading.wallMs = stamp.timeMs;
        reading.gapBefore = stamp.gapBefore;
        m_sinks.takeReading(reading);
        readings.push_back(std::move(reading));
    }
    return readings;
}
