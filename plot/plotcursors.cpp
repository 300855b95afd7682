#include "plotcursors.h"

#include "cursorreadout.h"
#include "plotnote.h"

#include <qcustomplot.h>

#include <QAction>
#include <QMouseEvent>

#include <cmath>

namespace {

// How close to a cursor the pointer grabs it, in pixels.
constexpr double grabDistance = 4;

} // namespace

PlotCursors::PlotCursors(const SampleStore &store,
                         const QStringList &channelNames,
                         QObject *parent)
    : QObject(parent), m_store(store), m_channelNames(channelNames),
      m_showAction(new QAction(tr("Show Cursors"), this))
{
    m_showAction->setCheckable(true);
    m_showAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_K));
    connect(m_showAction, &QAction::toggled, this, [this](bool shown) {
        if (shown)
            placeInView();
        emit changed();
    });
}

bool PlotCursors::isShown() const
{
    return m_showAction->isChecked();
}

void PlotCursors::addItems(QCustomPlot *plot, const QString &layer,
                           const std::vector<QCPGraph *> &graphs, std::vector<QCPItemText *> above,
                           const PlotColours::Palette &palette)
{
    m_plot = plot;
    m_above = std::move(above);
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto *line = new QCPItemStraightLine(plot);
        line->setLayer(layer);
        line->point1->setType(QCPItemPosition::ptPlotCoords);
        line->point2->setType(QCPItemPosition::ptPlotCoords);
        line->setVisible(false);
        m_lines[i] = line;

        QCPItemText *label = addPlotNote(plot, layer, QColor(), palette.background);
        label->setText(i == 0 ? QStringLiteral("A") : QStringLiteral("B"));
        // At the bottom: the readout takes the top right corner.
        label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->position->setTypeX(QCPItemPosition::ptPlotCoords);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        m_labels[i] = label;
    }
    for (size_t i = 0; i < m_readout.size(); ++i) {
        QCPItemText *text = addPlotNote(plot, layer, QColor(), palette.background);
        text->setPositionAlignment(Qt::AlignRight | Qt::AlignTop);
        text->setTextAlignment(Qt::AlignRight);
        if (i > 0) {
            text->position->setParentAnchor(m_readout[i - 1]->bottomRight);
            text->position->setType(QCPItemPosition::ptAbsolute);
            text->position->setCoords(0, 0);
        }
        m_readout[i] = text;
    }
    setPalette(palette, graphs);
}

void PlotCursors::setPalette(const PlotColours::Palette &palette,
                             const std::vector<QCPGraph *> &graphs)
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        m_lines[i]->setPen(QPen(palette.cursors[i], 1, Qt::DashLine));
        m_labels[i]->setColor(palette.cursors[i]);
    }
    for (QCPItemText *text : m_readout)
        text->setColor(palette.text);
    colourChannels(graphs);
}

void PlotCursors::setChannels(const QStringList &names, const std::vector<QCPGraph *> &graphs)
{
    m_channelNames = names;
    colourChannels(graphs);
}

void PlotCursors::colourChannels(const std::vector<QCPGraph *> &graphs)
{
    for (size_t i = 2; i < m_readout.size() && i - 2 < graphs.size(); ++i)
        m_readout[i]->setColor(graphs[i - 2]->pen().color());
}

void PlotCursors::placeInView()
{
    if (!m_plot)
        return;
    const QCPRange shown = m_plot->xAxis->range();
    m_indexes[0] = qRound64(shown.lower + shown.size() / 3) + m_keyOrigin;
    m_indexes[1] = qRound64(shown.lower + shown.size() * 2 / 3) + m_keyOrigin;
}

void PlotCursors::update(qint64 keyOrigin)
{
    m_keyOrigin = keyOrigin;
    const bool shown = isShown();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const double key = double(m_indexes[i] - keyOrigin);
        m_lines[i]->point1->setCoords(key, 0);
        m_lines[i]->point2->setCoords(key, 1);
        m_lines[i]->setVisible(shown);
        m_labels[i]->position->setCoords(key, 1);
        m_labels[i]->setVisible(shown && m_plot->xAxis->range().contains(key));
    }
    // The readout goes under the corner's notes that are shown.
    QCPItemText *above = nullptr;
    for (QCPItemText *note : m_above)
        if (note && note->visible())
            above = note;
    placeTopRight(m_readout[0], above);
    const QStringList lines =
        shown ? cursorReadoutLines(readCursors(m_store, m_indexes[0], m_indexes[1]), m_channelNames)
              : QStringList();
    for (size_t i = 0; i < m_readout.size(); ++i) {
        m_readout[i]->setText(lines.value(int(i)));
        m_readout[i]->setVisible(shown && i < size_t(lines.size()));
    }
}

QStringList PlotCursors::readoutTexts() const
{
    QStringList texts;
    for (const QCPItemText *text : m_readout)
        if (text->visible())
            texts.append(text->text());
    return texts;
}

std::optional<int> PlotCursors::cursorNear(double x) const
{
    if (!isShown() || !m_plot)
        return std::nullopt;
    std::optional<int> nearest;
    double nearestDistance = grabDistance;
    for (size_t i = 0; i < m_indexes.size(); ++i) {
        const double at = m_plot->xAxis->coordToPixel(double(m_indexes[i] - m_keyOrigin));
        const double distance = std::abs(at - x);
        if (distance <= nearestDistance) {
            nearest = int(i);
            nearestDistance = distance;
        }
    }
    return nearest;
}

qint64 PlotCursors::indexAt(double x) const
{
    const QCPRange shown = m_plot->xAxis->range();
    const double key = qBound(shown.lower, m_plot->xAxis->pixelToCoord(x), shown.upper);
    return qRound64(key) + m_keyOrigin;
}

bool PlotCursors::mousePressed(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    m_dragged = cursorNear(event->localPos().x());
    return m_dragged.has_value();
}

bool PlotCursors::mouseMoved(const QMouseEvent *event)
{
    if (m_dragged) {
        const qint64 index = indexAt(event->localPos().x());
        if (index != m_indexes[size_t(*m_dragged)]) {
            m_indexes[size_t(*m_dragged)] = index;
            emit changed();
        }
        return true;
    }
    // The pointer says when a press would grab a cursor.
    const bool over = event->buttons() == Qt::NoButton
                      && cursorNear(event->localPos().x()).has_value();
    if (over != m_overCursor) {
        m_overCursor = over;
        if (over)
            m_plot->setCursor(Qt::SizeHorCursor);
        else
            m_plot->unsetCursor();
    }
    return false;
}

bool PlotCursors::mouseReleased(const QMouseEvent *event)
{
    if (!m_dragged || event->button() != Qt::LeftButton)
        return false;
    m_dragged.reset();
    return true;
}
