#include "languages.h"

#include "settingsfile.h"
#include "shownnumber.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// The .qm files are in a static library's resource, which needs a call to
// be linked in; the macro works outside any namespace only.
static void registerEmbeddedTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace {

const QString english = QStringLiteral("en");
const QString settingsGroup = QStringLiteral("language");
const QString settingsKey = QStringLiteral("chosen");
const QString optionName = QStringLiteral("lang");

// --lang CODE, --lang=CODE, and -lang CODE where one dash reads as two.
QString givenOnCommandLine(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        for (const QString &dashes : {QStringLiteral("--"), QStringLiteral("-")}) {
            const QString name = dashes + optionName;
            if (argument == name && i + 1 < arguments.size())
                return arguments.at(i + 1);
            if (argument.startsWith(name + QLatin1Char('=')))
                return argument.mid(name.size() + 1);
        }
    }
    return QString();
}

bool load(const QString &file, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

namespace Languages {

QStringList codes()
{
    return {english, QStringLiteral("de"), QStringLiteral("es")};
}

QString ownName(const QString &code)
{
    // Each in itself, so that a user who cannot read the current one finds theirs.
    if (code == QLatin1String("de"))
        return QStringLiteral("Deutsch");
    if (code == QLatin1String("es"))
        return QStringLiteral("Español");
    return QStringLiteral("English");
}

QString remembered()
{
    const QString code = SettingsFile::readPanelGroup(settingsGroup).value(settingsKey).toString();
    return codes().contains(code) ? code : english;
}

bool remember(const QString &code)
{
    return SettingsFile::writeGroup(settingsGroup, {{settingsKey, code}});
}

QCommandLineOption option()
{
    return QCommandLineOption(
        optionName,
        QCoreApplication::translate("Languages", "Speak LANGUAGE for this run: %1. Default: the "
                                                 "one chosen in the launcher's menu, or en.")
            .arg(codes().join(QStringLiteral(", "))),
        QStringLiteral("LANGUAGE"));
}

QString mistakeIn(const QString &code)
{
    if (codes().contains(code))
        return QString();
    return QCoreApplication::translate("Languages", "Unknown language '%1' after '--lang'. Languages: %2.")
        .arg(code, codes().join(QStringLiteral(", ")));
}

QString speak(const QStringList &arguments)
{
    const QString given = givenOnCommandLine(arguments);
    // A wrong --lang is reported by the program's own parser, in English.
    const QString code = given.isEmpty() ? remembered() : given;
    if (code == english || !codes().contains(code))
        return english;
    registerEmbeddedTranslations();
    load(QStringLiteral("qt_") + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    load(QStringLiteral("qtserialport_") + code, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    load(QStringLiteral("boardpanel_") + code, QStringLiteral(":/translations"));
    QLocale::setDefault(QLocale(code));
    ShownNumber::decimalSign() = QLocale(code).decimalPoint();
    return code;
}

} // namespace Languages
