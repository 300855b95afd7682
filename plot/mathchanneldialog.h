#pragma once

#include "mathchannels.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

// "Math Channel": a computed channel's name, formula and unit. OK keeps the
// dialog open, with the reason shown, while the channel is not valid.
class MathChannelDialog : public QDialog
{
    Q_OBJECT

public:
    // `check` gives the reason a channel cannot be taken, "" when it can.
    MathChannelDialog(const MathChannel &initial, std::function<QString(const MathChannel &)> check,
                      QWidget *parent);

    MathChannel channel() const;

    void accept() override;

private:
    // The reason the channel is not valid, shown under the fields; "" when
    // it is.
    QString showProblem();

    const std::function<QString(const MathChannel &)> m_check;
    QLineEdit *const m_name;
    QLineEdit *const m_formula;
    QLineEdit *const m_unit;
    QLabel *const m_problem;
};
