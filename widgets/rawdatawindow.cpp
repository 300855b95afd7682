#include "rawdatawindow.h"

#include "closeguard.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <deque>

// The lines the list shows: a copy of the log's, taken at each refresh, so
// the view never sees the log change under it.
class RawLineModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_lines.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(m_lines.size()))
            return {};
        const RawLog::Line &line = m_lines[size_t(index.row())];
        if (role == Qt::DisplayRole) {
            const QString text = RawText::shown(line.bytes, line.cut);
            return line.sent ? QStringLiteral("→ ") + text : text;
        }
        if (role == Qt::ForegroundRole && line.sent)
            return QColor(0, 100, 190);
        return {};
    }

    // Takes the log's lines from number `m_through` on; returns how many
    // lines came since, also those the log no longer holds.
    qint64 catchUp(const RawLog &log)
    {
        const qint64 cameLines = log.lineCount() - m_through;
        const qint64 newLines = log.lineCount() - std::max(m_through, log.firstNumber());
        m_through = log.lineCount();
        if (newLines <= 0)
            return cameLines;
        const auto &lines = log.lines();
        const auto firstNew = lines.end() - std::ptrdiff_t(newLines);
        const int keep = int(lines.size()) - int(newLines);
        if (int(m_lines.size()) > keep) {
            // Lines the log no longer holds leave the list first.
            const int drop = int(m_lines.size()) - keep;
            if (drop == int(m_lines.size())) {
                beginResetModel();
                m_lines.assign(firstNew, lines.end());
                endResetModel();
                return cameLines;
            }
            beginRemoveRows(QModelIndex(), 0, drop - 1);
            m_lines.erase(m_lines.begin(), m_lines.begin() + drop);
            endRemoveRows();
        }
        beginInsertRows(QModelIndex(), int(m_lines.size()), int(m_lines.size() + size_t(newLines)) - 1);
        m_lines.insert(m_lines.end(), firstNew, lines.end());
        endInsertRows();
        return cameLines;
    }

    void clear(const RawLog &log)
    {
        beginResetModel();
        m_lines.clear();
        m_through = log.lineCount();
        endResetModel();
    }

private:
    std::deque<RawLog::Line> m_lines;
    qint64 m_through = 0;
};

RawDataWindow::RawDataWindow(QWidget *instrument)
    : QWidget(instrument, Qt::Window), closeGuard(new CloseGuard(this)), model(new RawLineModel(this)), view(new QListView(this)),
      rateLabel(new QLabel(this)), pauseButton(new QPushButton(tr("Pause"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Raw Data – %1").arg(instrument->windowTitle()));
    resize(640, 400);

    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    pauseButton->setCheckable(true);
    auto *clearButton = new QPushButton(tr("Clear"), this);
    auto *copyButton = new QPushButton(tr("Copy"), this);
    auto *copyAction = new QAction(tr("Copy"), this);
    copyAction->setShortcut(QKeySequence::Copy);
    addAction(copyAction);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(rateLabel, 1);
    buttons->addWidget(pauseButton);
    buttons->addWidget(clearButton);
    buttons->addWidget(copyButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(buttons);

    refreshTimer.setSingleShot(true);
    refreshTimer.setInterval(refreshIntervalMs);
    rateTimer.setInterval(1000);
    connect(&refreshTimer, &QTimer::timeout, this, &RawDataWindow::refresh);
    connect(&rateTimer, &QTimer::timeout, this, &RawDataWindow::updateRate);
    connect(pauseButton, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused)
            scheduleRefresh();
    });
    connect(clearButton, &QPushButton::clicked, this, &RawDataWindow::clear);
    connect(copyButton, &QPushButton::clicked, this, &RawDataWindow::copySelected);
    connect(copyAction, &QAction::triggered, this, &RawDataWindow::copySelected);

    rateClock.start();
    rateTimer.start();
    updateRate();
}

RawDataWindow::~RawDataWindow() = default;

void RawDataWindow::addReceived(const QByteArray &bytes)
{
    log.addReceived(bytes);
    scheduleRefresh();
}

void RawDataWindow::addSent(const QByteArray &command)
{
    log.addSent(command);
    scheduleRefresh();
}

void RawDataWindow::scheduleRefresh()
{
    // Coalesces: whatever arrives within the interval is shown at once.
    if (!refreshTimer.isActive() && !pauseButton->isChecked())
        refreshTimer.start();
}

void RawDataWindow::refresh()
{
    if (pauseButton->isChecked())
        return;
    // Scrolling with the data, unless the user scrolled up to read.
    QScrollBar *const bar = view->verticalScrollBar();
    const bool atBottom = bar->value() == bar->maximum();
    const qint64 newLines = model->catchUp(log);
    // When every line in sight is new at each update, a faster stream only
    // blurs: half as many updates then show as much and cost half.
    const int pageRows = view->viewport()->height() / std::max(view->sizeHintForRow(0), 1);
    refreshTimer.setInterval(newLines > pageRows ? 2 * refreshIntervalMs : refreshIntervalMs);
    if (atBottom)
        view->scrollToBottom();
}

void RawDataWindow::updateRate()
{
    const qint64 count = log.receivedLineCount();
    const double seconds = double(std::max<qint64>(rateClock.restart(), 1)) / 1000;
    const qint64 perSecond = qRound64(double(count - rateFromCount) / seconds);
    rateFromCount = count;
    rateLabel->setText(tr("%1 lines/s").arg(perSecond));
}

void RawDataWindow::clear()
{
    log.clear();
    model->clear(log);
}

void RawDataWindow::copySelected() const
{
    QModelIndexList rows = view->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex &row : rows)
        lines.append(model->data(row, Qt::DisplayRole).toString());
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void RawDataWindow::closeEvent(QCloseEvent *event)
{
    if (!closeGuard->holdClose(event))
        QWidget::closeEvent(event);
}
