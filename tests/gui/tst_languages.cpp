// The session's language: which catalogue the environment chooses, and that
// installing it translates the product's texts (and only while it is installed).
// How the windows read in a language is tst_translations'.
#include "app/CommandLine.h"
#include "device/QtProgrammerPort.h"
#include "translations/Languages.h"

#include <QCoreApplication>
#include <QHash>
#include <QTest>
#include <QTranslator>

namespace {
// "LANGUAGE=es:de LANG=de_DE.UTF-8" as the environment.
Languages::Environment environment(const QString &assignments)
{
    QHash<QString, QString> vars;
    for (const QString &pair : assignments.split(u' ', Qt::SkipEmptyParts))
        vars.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return [vars](const char *name) { return vars.value(QLatin1String(name)); };
}

void backToEnglish()
{
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}
} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT
private slots:
    void chosen_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("catalogue"); // empty: English

        // clang-format off
        QTest::newRow("nothing set") << "" << "";
        QTest::newRow("LANG alone") << "LANG=de_DE.UTF-8" << "de";
        QTest::newRow("LANG with a modifier") << "LANG=es_ES.UTF-8@euro" << "es";
        QTest::newRow("a country without a catalogue of its own") << "LANG=de_AT" << "de";
        QTest::newRow("LC_MESSAGES before LANG") << "LC_MESSAGES=es_MX LANG=de_DE" << "es";
        QTest::newRow("LC_ALL before LC_MESSAGES") << "LC_ALL=de_CH LC_MESSAGES=es_ES" << "de";
        QTest::newRow("LANGUAGE before LC_ALL") << "LANGUAGE=es LC_ALL=de_DE" << "es";
        QTest::newRow("LANGUAGE's list, first one the product has")
            << "LANGUAGE=fr:es:de LANG=de_DE" << "es";
        QTest::newRow("LANGUAGE with nothing the product has: LANG next")
            << "LANGUAGE=fr:it LANG=de_DE.UTF-8" << "de";
        QTest::newRow("LANGUAGE empty is not set") << "LANGUAGE= LANG=es_ES" << "es";
        QTest::newRow("English asked for first") << "LANGUAGE=en_GB:de LANG=de_DE" << "";
        QTest::newRow("C locale") << "LC_ALL=C LANG=de_DE" << "";
        QTest::newRow("POSIX") << "LANG=POSIX" << "";
        QTest::newRow("a language the product does not speak") << "LANG=fr_FR.UTF-8" << "";
        // clang-format on
    }
    void chosen()
    {
        QFETCH(QString, env);
        const QStringList available = {QStringLiteral("de"), QStringLiteral("es")};
        QTEST(Languages::choose(Languages::requested(environment(env)),
                                [&](const QString &suffix) { return available.contains(suffix); }),
              "catalogue");
    }

    // The built-in catalogue of each shipped language installs and translates a window
    // text, qovprog's help or usage (which answer before the window exists) and a port's
    // refusal, which the debug trace keeps in English.
    void installs_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("readValues");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("helpStart");
        QTest::addColumn<QString>("portError");

        QTest::newRow("German: help")
            << "LANGUAGE=de"
            << "de"
            << "Werte lesen" << QStringList{"--help"} << "Aufruf: qovprog [DEBUG]\nDas Fenster"
            << "Ungültige Portnummer";
        QTest::newRow("Spanish: a mistake") << "LANG=es_ES.UTF-8"
                                            << "es"
                                            << "Leer valores" << QStringList{"--bogus"}
                                            << "qovprog: argumento desconocido '--bogus'\nUso:"
                                            << "Número de puerto no válido";
        QTest::newRow("English") << "LANG=en_US.UTF-8"
                                 << ""
                                 << "Read Values" << QStringList{"--help"}
                                 << "Usage: qovprog [DEBUG]\nThe window"
                                 << "Invalid port number";
        QTest::newRow("unknown language")
            << "LANGUAGE=fi"
            << ""
            << "Read Values" << QStringList{"--help"} << "Usage: qovprog [DEBUG]\nThe window"
            << "Invalid port number";
    }
    void installs()
    {
        QFETCH(QString, env);
        QFETCH(QStringList, args);
        QFETCH(QString, helpStart);
        QTEST(Languages::install(*QCoreApplication::instance(), environment(env)), "catalogue");
        const QString readValues = QCoreApplication::translate("MainWindow", "Read Values");
        const auto answer = CommandLine::earlyExit(args);
        QtProgrammerPort port;
        port.setPortNumber(0);
        const bool opened = port.setOpen(true);
        backToEnglish();
        QTEST(readValues, "readValues");
        QVERIFY(answer);
        QVERIFY2(answer->text.startsWith(helpStart), qPrintable(answer->text));
        QVERIFY(!opened);
        QTEST(port.lastError().description, "portError");
        QCOMPARE(port.lastError().tracedDescription(), QStringLiteral("Invalid port number"));
        QCOMPARE(QCoreApplication::translate("MainWindow", "Read Values"),
                 QStringLiteral("Read Values"));
    }
};

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"
