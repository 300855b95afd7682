#pragma once

#include "rawlog.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class CloseGuard;
class QLabel;
class QListView;
class QPushButton;
class RawLineModel;

// "Raw Data – <window>": what crossed the instrument's serial line, the
// board's lines and, marked "→" in another colour, the commands sent. The
// bytes go into a RawLog as they arrive; the list is brought up to date at
// most 20 times a second and only while not paused, so a fast board costs
// the splitting of its lines and little else.
class RawDataWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own, owned by (and closed with) `instrument`.
    explicit RawDataWindow(QWidget *instrument);
    ~RawDataWindow() override;

    void addReceived(const QByteArray &bytes);
    void addSent(const QByteArray &command);

    static constexpr int refreshIntervalMs = 50;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void scheduleRefresh();
    void refresh();
    void updateRate();
    void clear();
    void copySelected() const;

    CloseGuard *const closeGuard;
    RawLog log;
    RawLineModel *const model;
    QListView *const view;
    QLabel *const rateLabel;
    QPushButton *const pauseButton;
    QTimer refreshTimer;
    QTimer rateTimer;
    QElapsedTimer rateClock;
    qint64 rateFromCount = 0;
};
