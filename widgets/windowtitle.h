#pragma once

#include <QObject>
#include <QString>

class QWidget;

// A window's title, composed in this one place from its parts: the title
// the window was given (the launcher's, a recording's name), the board it
// talks to where more than one is attached ("Voltmeter – ttyACM1"), and
// where it publishes to ("… — publishing to mqtt://…"). Those who own a part
// only tell it here; a title set on the window from outside is the new base.
class WindowTitle : public QObject
{
    Q_OBJECT

public:
    explicit WindowTitle(QWidget *window);

    // The title without the parts.
    QString base() const { return m_base; }
    // The board's port label; "" for none named.
    void setBoard(const QString &board);
    // "publishing to …" and the broker's state; "" while not publishing.
    void setPublishing(const QString &text);

signals:
    // The title shown changed.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    QWidget *const m_window;
    QString m_base;
    QString m_board;
    QString m_publishing;
    bool m_applying = false;
};
