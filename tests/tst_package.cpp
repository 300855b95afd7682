// The Debian package as CPack builds it from this build folder: the files it
// installs, its control fields, and Depends as found from the libraries the
// panel links. Needs dpkg-deb, and dpkg-shlibdeps and file for Depends.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Output
{
    int exitCode = -1;
    QString text;
    QString errors;
};

Output runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    // CPack brings the build folder up to date first, which may take a while.
    process.waitForFinished(-1);
    Output output;
    output.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    output.text = QString::fromUtf8(process.readAllStandardOutput());
    output.errors = QString::fromUtf8(process.readAllStandardError());
    return output;
}

// The package names in a Depends field, alternatives included.
QSet<QString> packageNames(const QString &depends)
{
    QSet<QString> names;
    for (const QString &entry : depends.split(QRegularExpression(QStringLiteral("[,|]")))) {
        const QString name = entry.trimmed().section(QLatin1Char(' '), 0, 0);
        if (!name.isEmpty())
            names.insert(name);
    }
    return names;
}

} // namespace

class PackageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsTheFilesUnderUsr_data();
    void installsTheFilesUnderUsr();
    void installsNothingElse();
    void controlFields_data();
    void controlFields();
    void dependsNamesTheLinkedLibraries_data();
    void dependsNamesTheLinkedLibraries();
    void maintainerScriptsAreExecutable_data();
    void maintainerScriptsAreExecutable();
    void manualPagesListEveryOption_data();
    void manualPagesListEveryOption();

private:
    QString field(const QString &name) const;

    QTemporaryDir m_out;
    QString m_package;
    QStringList m_listing; // "permissions path" per entry, from dpkg-deb --contents
};

void PackageTest::initTestCase()
{
    for (const char *tool : {"dpkg-deb", "dpkg-shlibdeps", "file"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(QLatin1String(tool))));
    }
    QVERIFY(m_out.isValid());
    const Output cpack = runTool(QStringLiteral(CPACK_COMMAND_PATH),
                                 {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                  QStringLiteral(BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                                  m_out.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.text + cpack.errors));

    const QStringList packages =
        QDir(m_out.path()).entryList({QStringLiteral("boardpanel_*.deb")}, QDir::Files);
    QCOMPARE(packages.size(), 1);
    m_package = QDir(m_out.path()).filePath(packages.first());
    const Output architecture = runTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
    QCOMPARE(packages.first(), QStringLiteral("boardpanel_%1_%2.deb")
                                   .arg(QStringLiteral(PROJECT_VERSION), architecture.text.trimmed()));

    const Output contents = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_package});
    QCOMPARE(contents.exitCode, 0);
    for (const QString &line : contents.text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        m_listing << columns.first() + QLatin1Char(' ') + columns.last();
    }
}

QString PackageTest::field(const QString &name) const
{
    return runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), m_package, name}).text.trimmed();
}

void PackageTest::installsTheFilesUnderUsr_data()
{
    QTest::addColumn<QString>("entry");
    const QString file = QStringLiteral("-rw-r--r-- ./usr/");
    QTest::newRow("panel") << QStringLiteral("-rwxr-xr-x ./usr/bin/boardpanel");
    QTest::newRow("recorder") << QStringLiteral("-rwxr-xr-x ./usr/bin/boardpanel-record");
    QTest::newRow("recorder's service")
        << file + QStringLiteral("lib/systemd/system/boardpanel-record@.service");
    QTest::newRow("recorder's options")
        << file + QStringLiteral("share/doc/boardpanel/examples/boardpanel-record.default");
    QTest::newRow("recorder's credentials")
        << file + QStringLiteral("share/doc/boardpanel/examples/mqtt-credentials.conf");
    QTest::newRow("server") << QStringLiteral("-rwxr-xr-x ./usr/bin/boardpanel-serve");
    QTest::newRow("server's manual page") << file + QStringLiteral("share/man/man1/boardpanel-serve.1.gz");
    QTest::newRow("recorder's manual page") << file + QStringLiteral("share/man/man1/boardpanel-record.1.gz");
    QTest::newRow("menu entry") << file + QStringLiteral("share/applications/boardpanel.desktop");
    QTest::newRow("icon") << file + QStringLiteral("share/icons/hicolor/scalable/apps/boardpanel.svg");
    // Where udev reads packaged rules, not /usr/local or /etc.
    QTest::newRow("udev rule") << file + QStringLiteral("lib/udev/rules.d/60-boardpanel.rules");
    QTest::newRow("metadata")
        << file + QStringLiteral("share/metainfo/example.boardpanel.BoardPanel.metainfo.xml");
    QTest::newRow("manual page") << file + QStringLiteral("share/man/man1/boardpanel.1.gz");
    QTest::newRow("copyright") << file + QStringLiteral("share/doc/boardpanel/copyright");
    QTest::newRow("change log") << file + QStringLiteral("share/doc/boardpanel/changelog.gz");
}

void PackageTest::installsTheFilesUnderUsr()
{
    QFETCH(QString, entry);
    QVERIFY2(m_listing.contains(entry), qPrintable(m_listing.join(QLatin1Char('\n'))));
}

// No demo, virtual board, test or benchmark in the package (the panel and
// its recorder and server only), and nothing outside /usr.
void PackageTest::installsNothingElse()
{
    QVERIFY(!m_listing.isEmpty());
    for (const QString &entry : qAsConst(m_listing)) {
        const QString path = entry.section(QLatin1Char(' '), 1);
        QVERIFY2(path.startsWith(QLatin1String("./usr/")), qPrintable(path));
        if (path.startsWith(QLatin1String("./usr/bin/")) && path != QLatin1String("./usr/bin/"))
            QVERIFY2(path == QLatin1String("./usr/bin/boardpanel")
                         || path == QLatin1String("./usr/bin/boardpanel-record")
                         || path == QLatin1String("./usr/bin/boardpanel-serve"),
                     qPrintable(path));
    }
}

void PackageTest::controlFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("package") << QStringLiteral("Package") << QStringLiteral("boardpanel");
    QTest::newRow("version") << QStringLiteral("Version") << QStringLiteral(PROJECT_VERSION);
    QTest::newRow("architecture") << QStringLiteral("Architecture")
                                  << runTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")})
                                         .text.trimmed();
    QTest::newRow("section") << QStringLiteral("Section") << QStringLiteral("science");
}

void PackageTest::controlFields()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(field(name), value);
}

void PackageTest::dependsNamesTheLinkedLibraries_data()
{
    QTest::addColumn<QString>("library");
    for (const char *library : {"libqt5core5a", "libqt5gui5", "libqt5widgets5", "libqt5serialport5",
                                "libqcustomplot2.1", "libfftw3-double3", "libmosquitto1", "libmuparser2v5",
                                "libc6"})
        QTest::newRow(library) << QString::fromLatin1(library);
}

void PackageTest::dependsNamesTheLinkedLibraries()
{
    QFETCH(QString, library);
    const QString depends = field(QStringLiteral("Depends"));
    QVERIFY2(packageNames(depends).contains(library), qPrintable(depends));
}

void PackageTest::maintainerScriptsAreExecutable_data()
{
    QTest::addColumn<QString>("script");
    for (const char *script : {"postinst", "prerm", "postrm"})
        QTest::newRow(script) << QString::fromLatin1(script);
}

void PackageTest::maintainerScriptsAreExecutable()
{
    QFETCH(QString, script);
    const QString control = QDir(m_out.path()).filePath(QStringLiteral("control"));
    const Output extract =
        runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--control"), m_package, control});
    QVERIFY2(extract.exitCode == 0, qPrintable(extract.errors));
    const QFileInfo file(QDir(control).filePath(script));
    QVERIFY(file.isFile());
    QVERIFY(file.isExecutable());
    const Output syntax = runTool(QStringLiteral("sh"), {QStringLiteral("-n"), file.filePath()});
    QVERIFY2(syntax.exitCode == 0, qPrintable(syntax.errors));
}

void PackageTest::manualPagesListEveryOption_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::newRow("boardpanel") << QStringLiteral(PANEL_PATH) << QStringLiteral(PACKAGING_DIR "/boardpanel.1");
    QTest::newRow("boardpanel-record") << QStringLiteral(RECORDER_PATH)
                                       << QStringLiteral(PACKAGING_DIR "/boardpanel-record.1");
    QTest::newRow("boardpanel-serve") << QStringLiteral(SERVER_PATH)
                                      << QStringLiteral(PACKAGING_DIR "/boardpanel-serve.1");
}

// Every option that --help lists has a heading of its own in the manual
// page, which is dated, points further and renders without a warning.
void PackageTest::manualPagesListEveryOption()
{
    QFETCH(QString, program);
    QFETCH(QString, page);
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\.TH \\S+ 1 \\d{4}-\\d\\d-\\d\\d ")).match(lines.first()).hasMatch(),
             qPrintable(lines.first()));
    QVERIFY(lines.contains(QStringLiteral(".SH SEE ALSO")));

    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    QSet<QString> headings;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines.at(i - 1) == QLatin1String(".TP")) {
            QRegularExpressionMatchIterator found = option.globalMatch(QString(lines.at(i)).remove(QLatin1Char('\\')));
            while (found.hasNext())
                headings.insert(found.next().captured());
        }
    }
    const Output help = runTool(program, {QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    static const QRegularExpression listed(QStringLiteral("^  (?:-\\w, )?(--[a-z][a-z-]*)"),
                                           QRegularExpression::MultilineOption);
    int options = 0;
    for (QRegularExpressionMatchIterator found = listed.globalMatch(help.text); found.hasNext(); ++options) {
        const QString name = found.next().captured(1);
        QVERIFY2(headings.contains(name), qPrintable(name));
    }
    QVERIFY(options >= 6);

    if (QStandardPaths::findExecutable(QStringLiteral("groff")).isEmpty())
        QSKIP("groff is not installed");
    const Output render = runTool(QStringLiteral("groff"), {QStringLiteral("-ww"), QStringLiteral("-man"),
                                                            QStringLiteral("-Tutf8"), QStringLiteral("-z"), page});
    QCOMPARE(render.errors, QString());
}

QTEST_GUILESS_MAIN(PackageTest)
#include "tst_package.moc"
