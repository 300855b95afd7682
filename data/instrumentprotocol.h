#pragma once

#include "samplestore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The panel's instruments, written once: their names and titles, how each is
// started and stopped on the line and how its replies come, and the files it
// writes (the columns and their unit). The launcher, the command lines, the
// windows, the recorder without a window, the file reader and the tests all
// read this table, so the board sees the same bytes from every front end and
// every file the panel writes is one it can read back.
struct InstrumentProtocol
{
    enum class Replies {
        None,     // takes commands only (PWM generator)
        Readings, // lines of three or more fields separated by "," (voltmeter)
        Lines,    // one reading per line (counter)
        Frames,   // sample frames "$…;" (plotters)
    };

    // As the command line, the desktop file's actions and the file names call
    // it: "osciloscope".
    QString name;
    // Further names the command lines take for it: the usual spellings that
    // users, the desktop entry's keywords and the metadata write.
    QStringList aliases;
    // The window's title, untranslated: "Osciloscope" (see title()).
    const char *titleText;
    // The short wait comes before the first start command.
    bool waitsBeforeStart;
    // Written in this order; what the board sends counts from after the first.
    QList<QByteArray> startCommands;
    // Asked for again at every arrival (empty: never).
    QByteArray request;
    // How many "r\n" stop it.
    int stopCopies;
    Replies replies;
    // The values' columns in every file: "PAD0_mV", "frequency_hz", "X".
    QStringList columns;
    // The values as the windows name them: "PAD0", "Frequency".
    QStringList shownNames;
    // What a value counts in, as a chart's axis says it: "mV".
    QString unit;
    // The recording's header: the row's number, time_s, then the columns.
    QStringList header;
    // What a sample frame's counts mean: files keep the counts, the window's
    // axis and formulas read them in this unit.
    CountUnit frameUnit;

    bool sendsData() const { return replies != Replies::None; }
    // Whether its data are samples (plotters) or readings.
    bool sendsSamples() const { return replies == Replies::Frames; }
    // The title in the user's language.
    QString title() const;
    // A chart of its readings: "Voltmeter Chart", and its files' stem.
    QString chartTitle() const;
    QString chartFileStem() const;
    // The plotters' Export Shown Data: the sample's number, the columns,
    // then the computed ones.
    QStringList exportHeader(const QStringList &computedNames = {}) const;
    // A chart's Export Shown Data: time_iso, time_s, the columns' means, readings.
    QStringList chartExportHeader() const;
    // A recording's header with computed columns after the inputs.
    QStringList recordingHeader(const QStringList &computedNames) const { return header + computedNames; }
    // Every header a file of it may begin with (recording, exports).
    QList<QStringList> fileHeaders() const;

    // Each one, where code means that one.
    static const InstrumentProtocol &voltmeter();
    static const InstrumentProtocol &accelerometer();
    static const InstrumentProtocol &osciloscope();
    static const InstrumentProtocol &pwm();
    static const InstrumentProtocol &counter();
    // All five, in the launcher's order.
    static const QList<InstrumentProtocol> &all();
    // The one called `name` (or one of its aliases); none when there is no such instrument.
    static const InstrumentProtocol *find(const QString &name);
    // The one called `name`, which must exist.
    static const InstrumentProtocol &named(const QString &name);
    // All five names, in the launcher's order.
    static QStringList names();
    // Those of the ones that send data, which can be recorded.
    static QStringList recordableNames();
};
