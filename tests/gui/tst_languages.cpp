// The session's language: which catalogue the environment chooses, and that
// installing it translates the product's texts (and only while it is installed).
#include "app/CommandLine.h"
#include "device/QtProgrammerPort.h"
#include "translations/Languages.h"

#include <QCoreApplication>
#include <QHash>
#include <QTest>
#include <QTranslator>

namespace {
Languages::Environment environment(const QHash<QString, QString> &vars)
{
    return [vars](const char *name) { return vars.value(QLatin1String(name)); };
}

QHash<QString, QString> parse(const QString &assignments)
{
    // "LANGUAGE=es:de LANG=de_DE.UTF-8"
    QHash<QString, QString> vars;
    for (const QString &pair : assignments.split(u' ', Qt::SkipEmptyParts))
        vars.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return vars;
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

        QTest::newRow("nothing set") << ""
                                     << "";
        QTest::newRow("LANG alone") << "LANG=de_DE.UTF-8"
                                    << "de";
        QTest::newRow("LANG with a modifier") << "LANG=es_ES.UTF-8@euro"
                                              << "es";
        QTest::newRow("a country without a catalogue of its own") << "LANG=de_AT"
                                                                  << "de";
        QTest::newRow("LC_MESSAGES before LANG") << "LC_MESSAGES=es_MX LANG=de_DE"
                                                 << "es";
        QTest::newRow("LC_ALL before LC_MESSAGES") << "LC_ALL=de_CH LC_MESSAGES=es_ES"
                                                   << "de";
        QTest::newRow("LANGUAGE before LC_ALL") << "LANGUAGE=es LC_ALL=de_DE"
                                                << "es";
        QTest::newRow("LANGUAGE's list, first one the product has")
            << "LANGUAGE=fr:es:de LANG=de_DE"
            << "es";
        QTest::newRow("LANGUAGE with nothing the product has: LANG next")
            << "LANGUAGE=fr:it LANG=de_DE.UTF-8"
            << "de";
        QTest::newRow("LANGUAGE empty is not set") << "LANGUAGE= LANG=es_ES"
                                                   << "es";
        QTest::newRow("English asked for first") << "LANGUAGE=en_GB:de LANG=de_DE"
                                                 << "";
        QTest::newRow("C locale") << "LC_ALL=C LANG=de_DE"
                                  << "";
        QTest::newRow("POSIX") << "LANG=POSIX"
                               << "";
        QTest::newRow("C.UTF-8") << "LANG=C.UTF-8"
                                 << "";
        QTest::newRow("a language the product does not speak") << "LANG=fr_FR.UTF-8"
                                                               << "";
    }
    void chosen()
    {
        QFETCH(QString, env);
        QFETCH(QString, catalogue);
        const QStringList available = {QStringLiteral("de"), QStringLiteral("es")};
        const QString got
            = Languages::choose(Languages::requested(environment(parse(env))),
                                [&](const QString &suffix) { return available.contains(suffix); });
        QCOMPARE(got, catalogue);
    }

    // The built-in catalogues are there for each language the product ships, and
    // installing one translates a window text and a remote button's name.
    void installs_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("readValues");
        QTest::addColumn<QString>("select");

        QTest::newRow("German") << "LANGUAGE=de"
                                << "de"
                                << "Werte lesen"
                                << "Auswahl";
        QTest::newRow("Spanish") << "LANG=es_ES.UTF-8"
                                 << "es"
                                 << "Leer valores"
                                 << "Seleccionar";
        QTest::newRow("English") << "LANG=en_US.UTF-8"
                                 << ""
                                 << "Read Values"
                                 << "Select";
        QTest::newRow("unknown language") << "LANGUAGE=fi"
                                          << ""
                                          << "Read Values"
                                          << "Select";
    }
    void installs()
    {
        QFETCH(QString, env);
        QFETCH(QString, catalogue);
        QFETCH(QString, readValues);
        QFETCH(QString, select);
        QCOMPARE(Languages::install(*QCoreApplication::instance(), environment(parse(env))),
                 catalogue);
        QCOMPARE(QCoreApplication::translate("MainWindow", "Read Values"), readValues);
        QCOMPARE(QCoreApplication::translate("RemoteButton", "Select"), select);
        // Back to English for the next row.
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QCOMPARE(QCoreApplication::translate("MainWindow", "Read Values"),
                 QStringLiteral("Read Values"));
    }

    // qovprog's help and usage, which answer before the window exists, in the language.
    void windowHelp_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("start");
        QTest::newRow("German help")
            << "LANGUAGE=de" << QStringList{"--help"} << "Aufruf: qovprog [DEBUG]\nDas Fenster";
        QTest::newRow("Spanish mistake") << "LANGUAGE=es" << QStringList{"--bogus"}
                                         << "qovprog: argumento desconocido '--bogus'\nUso:";
        QTest::newRow("English help")
            << "" << QStringList{"--help"} << "Usage: qovprog [DEBUG]\nThe window";
    }
    void windowHelp()
    {
        QFETCH(QString, env);
        QFETCH(QStringList, args);
        QFETCH(QString, start);
        Languages::install(*QCoreApplication::instance(), environment(parse(env)));
        const auto answer = CommandLine::earlyExit(args);
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QVERIFY(answer);
        QVERIFY2(answer->text.startsWith(start), qPrintable(answer->text));
    }

    // A port's refusal reads in the language; the debug trace keeps it in English.
    void portError_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("shown");
        QTest::newRow("German") << "LANGUAGE=de"
                                << "Ungültige Portnummer";
        QTest::newRow("Spanish") << "LANGUAGE=es"
                                 << "Número de puerto no válido";
        QTest::newRow("English") << ""
                                 << "Invalid port number";
    }
    void portError()
    {
        QFETCH(QString, env);
        QFETCH(QString, shown);
        Languages::install(*QCoreApplication::instance(), environment(parse(env)));
        QtProgrammerPort port;
        port.setPortNumber(0);
        const bool opened = port.setOpen(true);
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QVERIFY(!opened);
        QCOMPARE(port.lastError().description, shown);
        QCOMPARE(port.lastError().tracedDescription(), QStringLiteral("Invalid port number"));
    }
};

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"
