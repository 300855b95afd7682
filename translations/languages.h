#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

// The languages the programs speak besides the English they are written in.
// Nothing is translated unless the user chooses a language, in the
// launcher's menu (kept in the panel's settings file) or with --lang for one
// run. Only texts for people change: bytes on the line, file headers and
// columns, SCPI answers and MQTT payloads stay as they are.
namespace Languages {

// "en", "de", "es": English first, the texts as written.
QStringList codes();
// A language by its own name, as a menu lists it: "Deutsch".
QString ownName(const QString &code);

// The language chosen in the launcher's menu; "en" when none was.
QString remembered();
// Keeps `code` for the next start. False when the settings file could not be written.
bool remember(const QString &code);

// --lang CODE, as every program takes it.
QCommandLineOption option();
// What is wrong with --lang's value `code`; empty when nothing is.
QString mistakeIn(const QString &code);

// Speaks the language given with --lang in `arguments` (read before the
// program's own options, so that --help and its mistakes come in it too),
// else the remembered one: the program's texts, the toolkit's own dialogs,
// and QLocale's default for the numbers windows show. Call it once the
// application object exists. Returns the code used.
QString speak(const QStringList &arguments);

} // namespace Languages
