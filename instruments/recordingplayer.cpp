#include "recordingplayer.h"

#include "plotter.h"

#include <QAction>
#include <QActionGroup>
#include <QLocale>
#include <QMenu>

RecordingPlayer::RecordingPlayer(Plotter *window, std::shared_ptr<const Recording> recording)
    : QObject(window), m_window(window), m_playback(recording, window->intake()),
      m_playAction(new QAction(tr("Play"), window))
{
    // Start Plot pressed while the file was read does not play it unasked.
    window->setPlotting(false);
    window->intake().takeSamples(recording->samples.data(), recording->samples.size());
    window->navigator().showWholeHistory();

    m_playAction->setShortcut(QKeySequence(Qt::Key_Space));
    connect(m_playAction, &QAction::triggered, window,
            [window] { window->setPlotting(!window->isPlotting()); });
    connect(window, &Plotter::plottingChanged, this, [this](bool plotting) {
        m_playAction->setText(plotting ? tr("Pause") : tr("Play"));
        if (plotting)
            m_playback.play();
        else
            m_playback.pause();
    });
    connect(&m_playback, &Playback::ended, window, [window] { window->setPlotting(false); });

    auto *speedMenu = new QMenu(tr("Speed"), window);
    auto *speeds = new QActionGroup(speedMenu);
    const QList<std::pair<QString, double>> choices{{tr("¼×"), 0.25},
                                                    {tr("1×"), 1},
                                                    {tr("4×"), 4},
                                                    {tr("16×"), 16},
                                                    {tr("As Fast As Possible"),
                                                     Playback::asFastAsPossible}};
    for (const auto &[text, speed] : choices) {
        QAction *choice = speeds->addAction(text);
        choice->setCheckable(true);
        choice->setChecked(speed == 1);
        connect(choice, &QAction::triggered, this, [this, speed = speed] { m_playback.setSpeed(speed); });
    }
    speedMenu->addActions(speeds->actions());
    window->addAction(m_playAction);
    window->addSourceActions({m_playAction, speedMenu->menuAction()});
}

QString RecordingPlayer::remarks(const Recording &recording)
{
    const QLocale english(QLocale::English);
    QStringList said;
    if (recording.rowsLeftOut > 0)
        said << tr("the last %1 of %2 rows").arg(english.toString(recording.rows - recording.rowsLeftOut),
                                                 english.toString(recording.rows));
    if (recording.lastRowIncomplete)
        said << tr("the last row was incomplete and is left out");
    return said.join(QStringLiteral("; "));
}
