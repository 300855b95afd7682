#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// Reading one value of the settings file strictly: a hand-edited file may
// hold anything, and what is not exactly the kind of value asked for, in
// its limits, counts as missing.
namespace SettingValues {

// A whole number written in decimal, within lower..upper.
std::optional<qint64> integer(const QVariant &value, qint64 lower, qint64 upper);
// A finite number within lower..upper.
std::optional<double> number(const QVariant &value, double lower, double upper);
// "true" or "false".
std::optional<bool> boolean(const QVariant &value);
// The index of the value among `names`.
std::optional<int> choice(const QVariant &value, const QStringList &names);

} // namespace SettingValues
