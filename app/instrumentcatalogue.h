#pragma once

#include <QList>
#include <QString>

class QDialog;

// The panel's instruments, written once: the launcher's buttons, --open,
// the desktop file's actions and the tests all read this list.
struct InstrumentEntry
{
    // As --open and the desktop file's actions name it: "osciloscope".
    QString name;
    // The title the launcher gives its window: "Osciloscope".
    QString title;
    // A new window of it, which finds and starts the board.
    QDialog *(*create)();
};

// In the launcher's order.
const QList<InstrumentEntry> &instrumentCatalogue();
// The entry named `name`, or a usual spelling of it ("oscilloscope");
// nullptr for none.
const InstrumentEntry *findInstrument(const QString &name);
