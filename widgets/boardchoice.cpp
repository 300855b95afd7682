#include "boardchoice.h"

#include "boarddiscovery.h"
#include "boardlink.h"
#include "windowtitle.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

BoardChoice::BoardChoice(QWidget *window, WindowTitle &title, const BoardLink &link,
                         std::function<void(const PortCandidate &)> moveTo)
    : QObject(window), m_window(window), m_title(title), m_link(link), m_moveTo(std::move(moveTo)),
      m_action(new QAction(tr("Board"), this)), m_menu(new QMenu(window))
{
    m_action->setMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &BoardChoice::fillMenu);
    connect(&link, &BoardLink::stateChanged, this, &BoardChoice::checkBoards);
    m_checkTimer.setInterval(checkIntervalMs);
    connect(&m_checkTimer, &QTimer::timeout, this, &BoardChoice::checkBoards);
    if (window->isVisible())
        m_checkTimer.start();
    window->installEventFilter(this);
}

bool BoardChoice::eventFilter(QObject *watched, QEvent *event)
{
    // A hidden window (a quit one stays, hidden) shows no title: it does
    // not look at the ports either.
    if (watched == m_window && event->type() == QEvent::Show) {
        checkBoards();
        m_checkTimer.start();
    } else if (watched == m_window && event->type() == QEvent::Hide) {
        m_checkTimer.stop();
    }
    return QObject::eventFilter(watched, event);
}

void BoardChoice::checkBoards()
{
    const quint64 stamp = PortListing::changeStamp();
    if (stamp != m_listStamp) {
        m_listStamp = stamp;
        m_boardCount = int(boardsIn(PortListing::availablePorts()).size());
    }
    m_title.setBoard(shownBoard());
}

QString BoardChoice::shownBoard() const
{
    if (m_boardCount < 2 || m_link.location().isEmpty())
        return QString();
    return portLabel(m_link.location());
}

QString BoardChoice::boardDescription() const
{
    if (shownBoard().isEmpty())
        return QString();
    return m_link.serialNumber().isEmpty()
               ? portLabel(m_link.location())
               : tr("%1, serial number %2").arg(portLabel(m_link.location()), m_link.serialNumber());
}

void BoardChoice::fillMenu()
{
    m_menu->clear();
    const QList<PortCandidate> boards = boardsIn(PortListing::availablePorts());
    if (boards.isEmpty())
        m_menu->addAction(tr("No board attached"))->setEnabled(false);
    for (const PortCandidate &board : boards) {
        const QString path = board.portName.startsWith(QLatin1Char('/'))
                                 ? board.portName
                                 : QStringLiteral("/dev/") + board.portName;
        const bool own = m_link.isOpen() && path == m_link.location();
        QString text = board.serialNumber.isEmpty()
                           ? portLabel(board.portName)
                           : tr("%1 (serial number %2)").arg(portLabel(board.portName), board.serialNumber);
        const bool takenElsewhere = !own && BoardLink::isHeldByPanel(board.portName);
        if (takenElsewhere)
            text += tr(" – used by another window");
        QAction *entry = m_menu->addAction(text);
        entry->setCheckable(true);
        entry->setChecked(own);
        entry->setEnabled(!takenElsewhere && !own && !m_link.isStopping());
        connect(entry, &QAction::triggered, this, [this, board] {
            // Not from inside the menu's loop: the move waits for the old
            // board's stop.
            QMetaObject::invokeMethod(this, [this, board] { m_moveTo(board); }, Qt::QueuedConnection);
        });
    }
}
