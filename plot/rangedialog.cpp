#include "rangedialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

namespace {

// An axis end as typed in any language (see ViewZoom::typedNumber()); once
// typed, it shows the number understood.
class AxisEndBox : public QDoubleSpinBox
{
public:
    using QDoubleSpinBox::QDoubleSpinBox;

protected:
    QValidator::State validate(QString &text, int &) const override
    {
        const QString plain = text.trimmed();
        if (plain.isEmpty() || plain == QLatin1String("-") || plain == QLatin1String("+"))
            return QValidator::Intermediate;
        const std::optional<double> value = ViewZoom::typedNumber(plain);
        if (!value)
            return QValidator::Invalid;
        return *value >= minimum() && *value <= maximum() ? QValidator::Acceptable
                                                          : QValidator::Intermediate;
    }
    double valueFromText(const QString &text) const override
    {
        return ViewZoom::typedNumber(text).value_or(value());
    }
};

} // namespace

namespace RangeDialog {

std::optional<AxisSpan> ask(QWidget *window, AxisSpan shown, int decimals)
{
    QDialog dialog(window);
    dialog.setWindowTitle(QCoreApplication::translate("PlotNavigator", "Set Range"));
    auto *form = new QFormLayout(&dialog);
    const auto spinBox = [&](double value) {
        auto *box = new AxisEndBox(&dialog);
        box->setDecimals(decimals);
        box->setRange(-1e9, 1e9);
        box->setValue(value);
        return box;
    };
    QDoubleSpinBox *from = spinBox(shown.lower);
    QDoubleSpinBox *to = spinBox(shown.upper);
    from->setObjectName(QStringLiteral("from"));
    to->setObjectName(QStringLiteral("to"));
    form->addRow(QCoreApplication::translate("PlotNavigator", "From"), from);
    form->addRow(QCoreApplication::translate("PlotNavigator", "To"), to);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // To must be above From.
    const auto check = [from, to, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(to->value() > from->value());
    };
    QObject::connect(from, qOverload<double>(&QDoubleSpinBox::valueChanged), &dialog, check);
    QObject::connect(to, qOverload<double>(&QDoubleSpinBox::valueChanged), &dialog, check);
    check();
    if (dialog.exec() != QDialog::Accepted || !(to->value() > from->value()))
        return std::nullopt;
    return AxisSpan{from->value(), to->value()};
}

} // namespace RangeDialog
