#pragma once

#include <QHostAddress>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QCommandLineParser;

namespace CommandLine {

// Gives a parser the program's own description and options, in the
// language spoken when it is called.
using Description = std::function<void(QCommandLineParser &)>;

// Reads the command line before the program opens its windows, so that
// --help, --version and a mistake need no display. Fills `parser` with
// `describeProgram`, the help and version options, and --open and --lang,
// which every program with the launcher has; the
// options the toolkit reads itself (-style, -session, ...)
// pass unremarked. Returns the exit status when the program is done: 0 after
// the help or the version, 2 after reporting a mistake. Returns nothing when
// the program goes on; `parser` then holds the values given.
std::optional<int> answerBeforeWindows(QCommandLineParser &parser, int &argc, char *argv[],
                                       const Description &describeProgram);

// The names --open takes, in the launcher's order.
QStringList instrumentNames();
// The instruments named with --open, in the order given.
QStringList instrumentsToOpen(const QCommandLineParser &parser);
// The files to open, given alone or with --replay.
QStringList recordingsToOpen(const QCommandLineParser &parser);
// --reset-settings was given.
bool resetsSettings(const QCommandLineParser &parser);
// The board named with --board; empty without one.
QString boardToUse(const QCommandLineParser &parser);
// Where --listen says to serve SCPI clients; nothing without it.
std::optional<std::pair<QHostAddress, quint16>> listenAddress(const QCommandLineParser &parser);

} // namespace CommandLine
