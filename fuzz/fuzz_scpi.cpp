// The SCPI reader: any program message splits into commands whose headers
// match at most one pattern with one number per numbered node, and every
// parameter reader keeps its promise (a whole number in range, channels in
// range, a string no longer than its text, a finite number).
#include "fuzzcheck.h"
#include "scpiparser.h"

#include <cmath>

namespace {

// Patterns with every feature of the table: common commands, optional and
// numbered nodes, queries.
const QList<QByteArray> patterns{"*IDN?", "*RST", "SYSTem:ERRor[:NEXT]?", "[SOURce#]:PWM:FREQuency",
                                 "OUTPut#[:STATe]?", "FETCh[:DATA]?", "FETCh:HEADer?",
                                 "MEASure:VOLTage[:DC]?"};
const int numbered[] = {0, 0, 0, 1, 1, 0, 0, 0};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static const Scpi::HeaderTable table(patterns);
    const QByteArray line(reinterpret_cast<const char *>(data), int(size));
    int error = 0;
    const QList<Scpi::Unit> units = Scpi::splitMessage(line, &error);
    QList<QByteArray> branch;
    for (const Scpi::Unit &unit : units) {
        FUZZ_CHECK(!unit.header.isEmpty());
        const Scpi::HeaderTable::Match match = table.match(unit.header, unit.fromRoot ? QList<QByteArray>() : branch);
        FUZZ_CHECK(match.row >= -1 && match.row < patterns.size());
        if (match.row >= 0) {
            FUZZ_CHECK(match.suffixes.size() == numbered[match.row]);
            branch = match.branch;
        }
        for (const QByteArray &parameter : unit.parameters) {
            FUZZ_CHECK(!parameter.isEmpty());
            int readError = 0;
            if (const std::optional<int> whole = Scpi::wholeNumber(parameter, Scpi::Quantity::Hertz, 0, 50000, &readError))
                FUZZ_CHECK(*whole >= 0 && *whole <= 50000);
            if (const std::optional<double> number = Scpi::number(parameter, Scpi::Quantity::Percent, 1, 99, &readError))
                FUZZ_CHECK(std::isfinite(*number));
            if (const std::optional<QVector<int>> channels = Scpi::channelList(parameter, 2, &readError)) {
                for (int channel : *channels)
                    FUZZ_CHECK(channel >= 0 && channel <= 2);
            }
            if (const std::optional<QByteArray> text = Scpi::string(parameter, &readError))
                FUZZ_CHECK(text->size() <= parameter.size() - 2);
            Scpi::boolean(parameter, &readError);
        }
    }
    return 0;
}
