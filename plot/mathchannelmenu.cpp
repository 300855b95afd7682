#include "mathchannelmenu.h"

#include "mathchanneldialog.h"

#include <QMenu>

#include <qcustomplot.h>

MathChannelMenu::MathChannelMenu(SampleSession &session, QWidget *window, BusyRunner runBusy)
    : m_session(session), m_window(window), m_runBusy(std::move(runBusy))
{
    m_addAction->setText(tr("Add Math Channel…"));
    m_addAction->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_M));
    connect(m_addAction, &QAction::triggered, this, [this] {
        if (m_enabled)
            editChannel(int(model().channels().size()));
    });
    for (const QString &name : model().names().mid(0, model().inputCount())) {
        // The window's, so that it finds them among its own.
        QAction *show = new QAction(tr("Show %1").arg(name), window);
        show->setCheckable(true);
        show->setChecked(true);
        connect(show, &QAction::toggled, this, [this] {
            updateGraphs();
            emit channelsChanged();
        });
        m_showActions.push_back(show);
    }
    connect(&m_session, &SampleSession::channelsChanged, this, [this] {
        updateGraphs();
        emit channelsChanged();
    });
}

void MathChannelMenu::attach(QCustomPlot *plot, const std::vector<QCPGraph *> &inputGraphs,
                             QCPAxis *valueAxis)
{
    m_plot = plot;
    m_valueAxis = valueAxis;
    m_inputGraphs = inputGraphs;
    updateGraphs();
}

void MathChannelMenu::addActionsTo(QWidget *window)
{
    window->addAction(m_addAction);
}

void MathChannelMenu::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_addAction->setEnabled(enabled);
    // The key names the time graphs: not the other views' lines.
    if (m_plot)
        m_plot->legend->setVisible(enabled && !m_computedGraphs.empty());
}

void MathChannelMenu::setPalette(const PlotColours::Palette &palette)
{
    m_palette = &palette;
    for (size_t i = 0; i < m_computedGraphs.size(); ++i)
        m_computedGraphs[i]->setPen(QPen(palette.computed[i]));
    if (m_plot)
        updateKey();
}

void MathChannelMenu::addToMenu(QMenu &menu)
{
    m_addAction->setEnabled(m_enabled && model().channels().size() < MathChannels::maxCount);
    menu.addAction(m_addAction);
    const QVector<MathChannel> &channels = model().channels();
    if (!channels.isEmpty()) {
        QMenu *list = menu.addMenu(tr("Math Channels"));
        for (int i = 0; i < channels.size(); ++i) {
            QMenu *one = list->addMenu(model().label(model().inputCount() + i));
            connect(one->addAction(tr("Edit…")), &QAction::triggered, this,
                    [this, i] { editChannel(i); });
            QAction *remove = one->addAction(tr("Remove"));
            QVector<MathChannel> without = channels;
            without.removeAt(i);
            // A channel another one reads stays until that one goes.
            remove->setEnabled(model().validate(without).isEmpty());
            connect(remove, &QAction::triggered, this, [this, without] { m_session.setChannels(without); });
        }
    }
    for (QAction *show : m_showActions)
        menu.addAction(show);
}

void MathChannelMenu::setHiddenInputs(quint32 hidden)
{
    for (size_t input = 0; input < m_showActions.size(); ++input)
        m_showActions[input]->setChecked(((hidden >> input) & 1u) == 0);
}

void MathChannelMenu::editChannel(int index)
{
    QVector<MathChannel> channels = model().channels();
    if (index > channels.size() || index >= MathChannels::maxCount)
        return;
    const bool adding = index == channels.size();
    if (adding)
        channels.append(MathChannel(model().nextName(), QString()));
    m_runBusy([&] {
        MathChannelDialog dialog(
            channels.at(index),
            [&](const MathChannel &channel) {
                QVector<MathChannel> candidate = channels;
                candidate[index] = channel;
                return model().validate(candidate, index).text();
            },
            m_window);
        if (dialog.exec() != QDialog::Accepted)
            return;
        channels[index] = dialog.channel();
        m_session.setChannels(channels);
    });
}

std::vector<QCPGraph *> MathChannelMenu::graphs() const
{
    std::vector<QCPGraph *> all = m_inputGraphs;
    all.insert(all.end(), m_computedGraphs.begin(), m_computedGraphs.end());
    return all;
}

std::vector<QColor> MathChannelMenu::colors() const
{
    std::vector<QColor> colors;
    for (const QCPGraph *graph : graphs())
        colors.push_back(graph->pen().color());
    return colors;
}

bool MathChannelMenu::isShown(int channel) const
{
    return channel >= int(m_showActions.size()) || m_showActions[size_t(channel)]->isChecked();
}

quint32 MathChannelMenu::shownChannels() const
{
    quint32 shown = ~0u;
    for (size_t channel = 0; channel < m_showActions.size(); ++channel)
        if (!isShown(int(channel)))
            shown &= ~(1u << channel);
    return shown;
}

void MathChannelMenu::updateGraphs()
{
    if (!m_plot)
        return;
    const int count = int(model().channels().size());
    while (int(m_computedGraphs.size()) > count) {
        m_plot->removeGraph(m_computedGraphs.back());
        m_computedGraphs.pop_back();
    }
    while (int(m_computedGraphs.size()) < count) {
        QCPGraph *graph = m_plot->addGraph(m_plot->xAxis, m_valueAxis);
        graph->setPen(QPen(m_palette->computed[m_computedGraphs.size()]));
        m_computedGraphs.push_back(graph);
    }
    for (size_t i = 0; i < m_inputGraphs.size(); ++i)
        m_inputGraphs[i]->setVisible(isShown(int(i)));
    updateKey();
}

void MathChannelMenu::updateKey()
{
    QCPLegend *key = m_plot->legend;
    key->clearItems();
    // No key without computed channels: the plot stays as it always was.
    key->setVisible(m_enabled && !m_computedGraphs.empty());
    if (m_computedGraphs.empty())
        return;
    key->setBrush(QBrush(m_palette->background));
    key->setBorderPen(QPen(m_palette->faintLine));
    key->setTextColor(m_palette->plainText);
    // Top left: the notes, the trigger's status and the cursors' readout
    // take the top right corner, the measurements the bottom left.
    m_plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    const std::vector<QCPGraph *> all = graphs();
    for (size_t channel = 0; channel < all.size(); ++channel) {
        all[channel]->setName(model().label(int(channel)));
        if (all[channel]->visible())
            key->addItem(new QCPPlottableLegendItem(key, all[channel]));
    }
}
