// Every shipped catalogue is complete and in step with the sources: no entry
// unfinished, vanished or obsolete, the placeholders of each translation those of
// its source, and no text in the sources that the catalogue lacks.
#include "support/TsCatalogue.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SourceDir = QStringLiteral(QOV_SOURCE_DIR);

// The folders whose texts a person reads (the tests have none; the simulated board
// says when its port vanishes, as a real one does).
const QStringList TextFolders
    = {"app", "cli", "codes", "device", "diagnose", "learn", "session", "settings", "sim"};

// %1..%99 (also %L1) as a sorted list, and %n, which a plural form shows its count by.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("%L?(\\d{1,2}|n)"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    found.sort();
    return found;
}

QString where(const TsMessage &m) { return m.context + QStringLiteral(": \"") + m.source + u'"'; }

// What is wrong with a catalogue, one line per entry.
QStringList problemsOf(const TsCatalogue &catalogue)
{
    QStringList problems;
    if (!catalogue.error.isEmpty())
        problems << QStringLiteral("unreadable: ") + catalogue.error;
    if (catalogue.messages.isEmpty())
        problems << QStringLiteral("no entries");
    for (const TsMessage &m : catalogue.messages) {
        if (!m.type.isEmpty()) {
            problems << m.type + QStringLiteral(": ") + where(m);
            continue;
        }
        if (m.translations.isEmpty()) {
            problems << QStringLiteral("unfinished: ") + where(m);
            continue;
        }
        for (const QString &t : m.translations) {
            if (t.isEmpty())
                problems << QStringLiteral("empty translation: ") + where(m);
            else if (placeholders(t) != placeholders(m.source))
                problems << QStringLiteral("placeholders %1 instead of %2: ")
                                    .arg(placeholders(t).join(u','),
                                         placeholders(m.source).join(u','))
                                + where(m);
        }
    }
    return problems;
}

QByteArray ts(const QByteArray &messages)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
           "language=\"de\">\n<context>\n<name>Ctx</name>\n"
           + messages + "\n</context>\n</TS>\n";
}

} // namespace

class TestTsFiles : public QObject
{
    Q_OBJECT
private slots:
    // The check itself, on small catalogues: each fault it must find, and a clean one.
    void findsEachFault_data()
    {
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<QString>("problem"); // the start of the one problem, or empty

        QTest::newRow("complete") << QByteArray(
            "<message><source>Read %1 of %2</source>"
            "<translation>%2: %1 gelesen</translation></message>")
                                  << QString();
        QTest::newRow("carriage return kept")
            << QByteArray("<message><source>A.<byte value=\"xd\"/>\nB %1</source>"
                          "<translation>A.<byte value=\"xd\"/>\nB %1</translation></message>")
            << QString();
        QTest::newRow("unfinished even with a text")
            << QByteArray("<message><source>Ready</source><translation "
                          "type=\"unfinished\">Bereit</translation></message>")
            << "unfinished: Ctx: \"Ready\"";
        QTest::newRow("vanished") << QByteArray("<message><source>Gone</source><translation "
                                                "type=\"vanished\">Weg</translation></message>")
                                  << "vanished: Ctx: \"Gone\"";
        QTest::newRow("empty translation")
            << QByteArray("<message><source>Ready</source><translation></translation></message>")
            << "empty translation: Ctx: \"Ready\"";
        QTest::newRow("placeholder lost")
            << QByteArray("<message><source>COM %1 on %2</source>"
                          "<translation>COM %1</translation></message>")
            << "placeholders 1 instead of 1,2";
        QTest::newRow("plural form without its count")
            << QByteArray("<message numerus=\"yes\"><source>%n location(s)</source><translation>"
                          "<numerusform>%n Adresse</numerusform><numerusform>Adressen</numerusform>"
                          "</translation></message>")
            << "placeholders  instead of n";
        QTest::newRow("no entries") << QByteArray() << "no entries";
    }
    void findsEachFault()
    {
        QFETCH(QByteArray, messages);
        QFETCH(QString, problem);
        const QStringList problems = problemsOf(TsCatalogue::parse(ts(messages)));
        if (problem.isEmpty()) {
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        } else {
            QCOMPARE(problems.size(), 1);
            QVERIFY2(problems.first().startsWith(problem), qPrintable(problems.first()));
        }
    }

    void shipped_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(SourceDir + QStringLiteral("/translations"))
                                      .entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name);
        QVERIFY2(files.contains(QStringLiteral("qovprog_de.ts"))
                     && files.contains(QStringLiteral("qovprog_es.ts")),
                 qPrintable(files.join(u' ')));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << file;
    }
    // Every entry translated, none left over, the placeholders matching; and lupdate run
    // over the sources adds no new text and retires none: a text added or changed in the
    // code without its translation fails here.
    void shipped()
    {
        QFETCH(QString, file);
        const TsCatalogue shipped
            = TsCatalogue::read(SourceDir + QStringLiteral("/translations/") + file);
        QVERIFY2(problemsOf(shipped).isEmpty(), qPrintable(problemsOf(shipped).join(u'\n')));
        // The language the file is named for is the one it says it holds.
        QCOMPARE(shipped.language, file.section(u'_', 1).section(u'.', 0, 0));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString copy = dir.filePath(file);
        QVERIFY(QFile::copy(SourceDir + QStringLiteral("/translations/") + file, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QStringList args;
        for (const QString &folder : TextFolders)
            args << SourceDir + u'/' + folder;
        args << QStringLiteral("-extensions") << QStringLiteral("cpp,h")
             << QStringLiteral("-locations") << QStringLiteral("none") << QStringLiteral("-silent")
             << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(QOV_LUPDATE), args);
        QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
        const TsCatalogue updated = TsCatalogue::read(copy);
        const QStringList problems = problemsOf(updated);
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QStringLiteral("run `cmake --build <dir> --target "
                                           "update_translations` and translate:\n")
                            + problems.join(u'\n')));
        QCOMPARE(updated.messages.size(), shipped.messages.size());
    }
};

QTEST_GUILESS_MAIN(TestTsFiles)
#include "tst_tsfiles.moc"
