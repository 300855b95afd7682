#include "statusline.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>
#include <unistd.h>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(StatusLine)
};

} // namespace

StatusLine::StatusLine(bool quiet) : m_quiet(quiet), m_shown(!quiet && ::isatty(STDERR_FILENO))
{
}

QString StatusLine::sizeText(qint64 bytes)
{
    if (bytes < 1000)
        return QStringLiteral("%1 B").arg(bytes);
    const char *const units[] = {"kB", "MB", "GB", "TB"};
    double value = double(bytes) / 1000;
    int unit = 0;
    while (value >= 999.95 && unit < 3) {
        value /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString StatusLine::elapsedText(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString StatusLine::text(const StatusFigures &figures)
{
    // "12,345" whatever the language, as the file's numbers are.
    const QLocale c(QLocale::English, QLocale::UnitedStates);
    QString line = Text::tr("%1 rows  %2/s  %3 damaged  %4  %5")
                       .arg(c.toString(figures.rows))
                       .arg(c.toString(qRound64(figures.rowsPerSecond)))
                       .arg(c.toString(figures.damaged))
                       .arg(sizeText(figures.fileBytes), elapsedText(figures.elapsedMs));
    if (figures.boardAway)
        line += Text::tr("  waiting for the board");
    if (figures.publishing) {
        line += figures.brokerConnected ? Text::tr("  broker connected")
                                        : Text::tr("  broker unreachable");
        if (figures.messagesDropped > 0)
            line += Text::tr(", %1 messages dropped").arg(c.toString(figures.messagesDropped));
    }
    return line;
}

void StatusLine::show(const StatusFigures &figures)
{
    if (!m_shown)
        return;
    // Back to the line's start, the new text, the rest of the old one wiped.
    const QByteArray line = "\r" + text(figures).toUtf8() + "\033[K";
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
    m_lineOpen = true;
}

void StatusLine::clear()
{
    if (m_lineOpen)
        std::fputs("\r\033[K", stderr);
    m_lineOpen = false;
}

void StatusLine::write(const QString &line)
{
    clear();
    const QByteArray bytes =
        (QCoreApplication::applicationName() + QStringLiteral(": ") + line + '\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void StatusLine::note(const QString &text)
{
    if (!m_quiet)
        write(text);
}

void StatusLine::error(const QString &text)
{
    write(text);
}

void StatusLine::finish()
{
    if (m_lineOpen)
        std::fputs("\n", stderr);
    m_lineOpen = false;
}
