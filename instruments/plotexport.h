#pragma once

#include "samplestore.h"
#include "timegraphs.h"

#include <QStringList>

#include <array>

class QCustomPlot;
struct InstrumentProtocol;
class QWidget;
class ViewSwitch;

// What a plotter writes to files: the plot as an image, and the samples
// shown as CSV. Both go through the one saving path (whole file or none).
namespace PlotExport {

// "Save Image…": asks for a name as one of `window`'s loops, then writes the
// plot as shown: PNG, or a vector PDF, or the format the name's suffix says.
void saveImage(QWidget *window, QCustomPlot *plot, const QString &fileStem);

// Asks for the name of a data file to export to; empty when cancelled.
QString askDataFileName(QWidget *window, const QString &fileStem);

// "Export Shown Data…": asks for a name, then writes what was drawn: the
// time view's samples (`drawn`, headed as `instrument` heads its exports,
// with the store's computed channels) a block at a time, or the other
// view's own table.
void exportShown(QWidget *window, const InstrumentProtocol &instrument, const ViewSwitch &views,
                 const SampleStore &store, const TimeGraphs::Drawn &drawn);
} // namespace PlotExport
