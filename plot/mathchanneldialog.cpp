#include "mathchanneldialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

MathChannelDialog::MathChannelDialog(const MathChannel &initial,
                                     std::function<QString(const MathChannel &)> check,
                                     QWidget *parent)
    : QDialog(parent), m_check(std::move(check)), m_name(new QLineEdit(initial.name())),
      m_formula(new QLineEdit(initial.formula())), m_unit(new QLineEdit(initial.unit())),
      m_problem(new QLabel)
{
    setWindowTitle(tr("Math Channel"));
    m_name->setObjectName(QStringLiteral("name"));
    m_formula->setObjectName(QStringLiteral("formula"));
    m_unit->setObjectName(QStringLiteral("unit"));
    m_problem->setObjectName(QStringLiteral("problem"));
    m_formula->setMinimumWidth(320);
    m_unit->setPlaceholderText(tr("optional, for example °C"));
    m_problem->setWordWrap(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Formula:"), m_formula);
    form->addRow(tr("Unit:"), m_unit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &MathChannelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MathChannelDialog::reject);
    // Told while typing, so OK is no surprise.
    connect(m_name, &QLineEdit::textEdited, this, &MathChannelDialog::showProblem);
    connect(m_formula, &QLineEdit::textEdited, this, &MathChannelDialog::showProblem);
    m_formula->setFocus();
}

MathChannel MathChannelDialog::channel() const
{
    return MathChannel(m_name->text().trimmed(), m_formula->text(), m_unit->text().trimmed());
}

QString MathChannelDialog::showProblem()
{
    const QString problem = m_check(channel());
    m_problem->setText(problem);
    return problem;
}

void MathChannelDialog::accept()
{
    if (showProblem().isEmpty())
        QDialog::accept();
}
