#pragma once

#include "portlisting.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class BoardLink;
class QAction;
class QMenu;
class QWidget;
class WindowTitle;

// Which board an instrument window talks to, where more than one is
// attached: it tells the window's title the port ("Osciloscope – ttyACM1";
// with one board the title stays as it is), and "Board ▸" lists the
// attached boards and moves the window to another.
class BoardChoice : public QObject
{
    Q_OBJECT

public:
    // `moveTo` carries out a choice, from the event loop once the menu has
    // closed.
    BoardChoice(QWidget *window, WindowTitle &title, const BoardLink &link,
                std::function<void(const PortCandidate &)> moveTo);

    // "Board", its menu filled each time it opens.
    QAction *action() const { return m_action; }
    // The board's port and serial number, for the raw data window; empty
    // while one board or none is attached.
    QString boardDescription() const;

    // How often the list of ports is looked at for a board that came or went.
    static constexpr int checkIntervalMs = 1000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillMenu();
    void checkBoards();
    // The port named in the title, or "".
    QString shownBoard() const;

    QWidget *const m_window;
    WindowTitle &m_title;
    const BoardLink &m_link;
    const std::function<void(const PortCandidate &)> m_moveTo;
    QAction *const m_action;
    QMenu *const m_menu;
    QTimer m_checkTimer;
    quint64 m_listStamp = 0;
    int m_boardCount = 0;
};
