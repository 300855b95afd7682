#include "plotexport.h"

#include "csv.h"
#include "filesaving.h"
#include "instrumentprotocol.h"
#include "plotlook.h"
#include "savedfile.h"
#include "viewswitch.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>

#include <qcustomplot.h>

namespace {

// Where translators find these texts.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(Plotter)
};

// The plot as a vector page of its own size, as it is drawn on screen.
bool writePdf(QCustomPlot *plot, QIODevice *device)
{
    const QSize size = plot->size();
    QPdfWriter pdf(device);
    pdf.setPageLayout(QPageLayout(QPageSize(size, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    QCPPainter painter;
    if (!painter.begin(&pdf))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setWindow(QRect(QPoint(), size));
    plot->toPainter(&painter, size.width(), size.height());
    return painter.end();
}

} // namespace

namespace PlotExport {

void saveImage(QWidget *window, QCustomPlot *plot, const QString &fileStem,
               const std::function<void(const PlotColours::Palette &)> &paintIn)
{
    QString filter;
    const QString fileName = FileSaving::askSaveFileName(
        window, Text::tr("Save Image"), FileSaving::Folder::Images,
        FileSaving::suggestedName(fileStem, QStringLiteral("png")),
        Text::tr("PNG image (*.png);;PDF document (*.pdf)"), &filter);
    if (fileName.isEmpty())
        return;
    // Written as the name says, or as the filter chosen says when the name
    // names no format, and never under another name than the one asked about.
    const QString format = FileSaving::imageFormat(fileName, filter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Drawn off the screen, with no loop run in between: the window never
    // shows the light colours.
    if (paintIn)
        paintIn(PlotColours::palette(PlotColours::Scheme::Light));
    const bool made = format == QLatin1String("pdf")
                          ? writePdf(plot, &buffer)
                          : plot->toPixmap(plot->width(), plot->height())
                                .save(&buffer, format.toLatin1().constData());
    if (paintIn)
        paintIn(PlotLook::instance().palette());
    if (made)
        FileSaving::save(window, fileName, SavedFile::bytes(bytes));
    else
        FileSaving::showCouldNotSave(window, fileName, Text::tr("the image could not be made"));
}

QString askDataFileName(QWidget *window, const QString &fileStem)
{
    return FileSaving::askSaveFileName(window, Text::tr("Export Data"), FileSaving::Folder::Data,
                                       FileSaving::suggestedName(fileStem, QStringLiteral("csv")),
                                       Text::tr("CSV file (*.csv)"));
}

void exportShown(QWidget *window, const InstrumentProtocol &instrument, const ViewSwitch &views,
                 const SampleStore &store, const TimeGraphs::Drawn &drawn)
{
    const QString fileName = askDataFileName(window, instrument.name);
    if (fileName.isEmpty())
        return;
    if (!views.showsTime()) {
        FileSaving::save(window, fileName, Csv::table(views.tableHeader(), views.tableRows()));
        return;
    }
    FileSaving::save(window, fileName,
                     Csv::sampleTable(store, instrument.exportHeader(store.computedNames()),
                                      drawn.firstIndex, drawn.lastIndex));
}

} // namespace PlotExport
