#include "settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>

#include <cstdio>

namespace {

QString orDefault(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("boardpanel") : name;
}

// A password is never kept: a URL's (an older panel kept the broker's
// whole URL) is taken out as the file is read, so the next write drops it.
QVariant withoutPassword(const QVariant &value)
{
    if (value.type() != QVariant::String || !value.toString().contains(QLatin1Char('@')))
        return value;
    QUrl url(value.toString());
    if (url.password().isEmpty())
        return value;
    url.setPassword(QString());
    return url.toString();
}

QVariantMap readAll(const QString &path)
{
    QVariantMap values;
    if (!QFileInfo::exists(path))
        return values;
    const QSettings file(path, QSettings::IniFormat);
    // A damaged file gives what QSettings could make of it; each value is
    // checked where it is used.
    for (const QString &key : file.allKeys())
        values.insert(key, withoutPassword(file.value(key)));
    return values;
}

QVariantMap groupOf(const QString &file, const QString &group)
{
    const QString prefix = group + QLatin1Char('/');
    QVariantMap values;
    const QVariantMap all = readAll(file);
    for (auto it = all.constBegin(); it != all.constEnd(); ++it) {
        if (it.key().startsWith(prefix))
            values.insert(it.key().mid(prefix.size()), it.value());
    }
    return values;
}

} // namespace

namespace SettingsFile {

QString path()
{
    return QSettings(orDefault(QCoreApplication::organizationName()),
                     orDefault(QCoreApplication::applicationName()))
        .fileName();
}

QVariantMap readGroup(const QString &group)
{
    return groupOf(path(), group);
}

QVariantMap readPanelGroup(const QString &group)
{
    // As the panel names its file: it sets neither name, and its program is "boardpanel".
    const QString panel = QStringLiteral("boardpanel");
    return groupOf(QSettings(panel, panel).fileName(), group);
}

bool writeGroup(const QString &group, const QVariantMap &values)
{
    const QString target = path();
    const QString prefix = group + QLatin1Char('/');
    QVariantMap all = readAll(target);
    for (auto it = all.begin(); it != all.end();)
        it = it.key().startsWith(prefix) ? all.erase(it) : std::next(it);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        all.insert(prefix + it.key(), withoutPassword(it.value()));

    // The new file is written beside the old one and renamed over it. The
    // draft is the user's alone from the start (QTemporaryFile makes it
    // 0600), and QSettings' own write keeps the mode of the file it replaces.
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    QTemporaryFile draft(target + QStringLiteral(".XXXXXX"));
    if (!draft.open())
        return false;
    draft.close();
    {
        QSettings file(draft.fileName(), QSettings::IniFormat);
        for (auto it = all.constBegin(); it != all.constEnd(); ++it)
            file.setValue(it.key(), it.value());
        file.sync();
        if (file.status() != QSettings::NoError)
            return false;
    }
    if (!draft.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    if (std::rename(QFile::encodeName(draft.fileName()).constData(),
                    QFile::encodeName(target).constData())
        != 0)
        return false;
    draft.setAutoRemove(false);
    return true;
}

bool forgetAll()
{
    const QString target = path();
    return !QFileInfo::exists(target) || QFile::remove(target);
}

} // namespace SettingsFile
