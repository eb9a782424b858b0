// qovctl in German and Spanish: the human output, the help and the errors come out
// translated; JSON output, the debug trace and the exit statuses are those of English,
// byte for byte.
#include "support/QovctlRig.h"
#include "translations/Languages.h"

#include <QTest>
#include <QTranslator>

namespace {

// One language for the rest of a test, English again after it.
class Language
{
public:
    explicit Language(const QString &name)
    {
        if (!name.isEmpty())
            Languages::install(*QCoreApplication::instance(), [name](const char *var) {
                return qstrcmp(var, "LANGUAGE") == 0 ? name : QString();
            });
    }
    ~Language()
    {
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

struct Run
{
    int status = -1;
    QString out, err;
    QByteArray file; // what the run wrote to "%p"
};

Run runIn(const QString &language, const QStringList &args,
          const std::function<void(QovctlRig &)> &setUp = {})
{
    const Language chosen(language);
    QovctlRig rig;
    if (setUp)
        setUp(rig);
    Run r;
    r.status = rig.run(args);
    r.out = rig.out;
    r.err = rig.err;
    QFile file(rig.path());
    if (file.open(QIODevice::ReadOnly))
        r.file = file.readAll();
    return r;
}

} // namespace

class TestCliLanguages : public QObject
{
    Q_OBJECT
private slots:
    // What a person reads is in the language.
    void humanOutput_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("setUp"); // "", "no board", "jumper for USB"
        QTest::addColumn<bool>("toOutput"); // the text is on standard output, else on errors
        QTest::addColumn<QString>("text");  // a line (part) the output holds

        // clang-format off
        QTest::newRow("German read: a setting's name and value")
            << "de" << QStringList{"read"} << "" << true << "Tastendrücke für Ausschalten";
        QTest::newRow("German read: a button's name")
            << "de" << QStringList{"read"} << "" << true << "FA52D0 (Auswahl)";
        QTest::newRow("Spanish read: a flag")
            << "es" << QStringList{"read"} << "" << true << "Permitir encender";
        QTest::newRow("German version")
            << "de" << QStringList{"version"} << "" << true << "QOV-Version: 2.5";
        QTest::newRow("German: the board does not answer")
            << "de" << QStringList{"read"} << "no board" << false
            << "qovctl: QOV nicht gefunden an /dev/ttyS0 (COM 1)";
        QTest::newRow("German: the doctor's hint")
            << "de" << QStringList{"read"} << "no board" << false
            << "Führen Sie 'qovctl doctor' aus, um die Ursache zu finden.";
        QTest::newRow("Spanish: a usage error")
            << "es" << QStringList{"read", "--port", "0"} << "" << false
            << "--port debe ser un número de puerto COM de 1 a 255";
        QTest::newRow("Spanish help")
            << "es" << QStringList{"--help"} << "" << true << "Uso: qovctl [opciones] <orden> [argumentos]";
        QTest::newRow("German write")
            << "de" << QStringList{"write", "--defaults"} << "" << true
            << "Alle 20 Speicherstellen geschrieben und geprüft.";
        QTest::newRow("German: the port is not there")
            << "de" << QStringList{"read", "--port", "2"} << "" << false
            << "COM 2 kann nicht geöffnet werden";
        QTest::newRow("Spanish: an option given twice")
            << "es" << QStringList{"read", "--port", "1", "--port", "4"} << "" << false
            << "--port se indica más de una vez (1, 4); indíquelo solo una vez";
        QTest::newRow("German doctor: a step passed")
            << "de" << QStringList{"--simulate", "doctor"} << "" << true
            << "1. Welcher Port: OK - die eingebaute simulierte Platine, als serieller Programmer (RS232)\n";
        QTest::newRow("Spanish doctor: the step never tried")
            << "es" << QStringList{"--simulate", "doctor"} << "" << true
            << "9. Escritura: no realizado (la comprobación no escribe nada). Para ver que la placa "
               "guarda lo que se le envía: qovctl write PERFIL, después qovctl verify PERFIL\n";
        QTest::newRow("German doctor: a failed step and its fix")
            << "de" << QStringList{"--simulate", "doctor"} << "no board" << true
            << "6. Gruß: FEHLER - kein Gruß nach dem Aus- und Einschalten, aber die Platine "
               "antwortet: sie hat eine eigene Stromversorgung (in der Xbox eingebaut). Abhilfe: "
               "Verwenden Sie --self-powered (im Fenster: Einstellungen, \"QOV ist in der Xbox "
               "eingebaut (eigene Stromversorgung)\")\n";
        QTest::newRow("Spanish doctor: a board jumpered for the other programmer")
            << "es" << QStringList{"--simulate", "doctor"} << "jumper for USB" << true
            << "6. Saludo: FALLO - la placa saluda con su patrón de configuración para el otro "
               "tipo de programador. Solución: El QOV (v2.5) está configurado para el programador "
               "tipo 'B' (USB)";
        // clang-format on
    }
    void humanOutput()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, args);
        QFETCH(QString, setUp);
        QFETCH(bool, toOutput);
        QFETCH(QString, text);
        const auto prepare = [&](QovctlRig &rig) {
            if (setUp == QLatin1String("no board"))
                rig.board.setGreeting(QByteArray());
            else if (setUp == QLatin1String("jumper for USB"))
                rig.board.setJumperFor(UsbProgrammer);
        };
        const Run translated = runIn(language, args, prepare);
        const Run english = runIn(QString(), args, prepare);
        const QString shown = toOutput ? translated.out : translated.err;
        QVERIFY2(shown.contains(text), qPrintable(shown));
        QVERIFY2(!(toOutput ? english.out : english.err).contains(text),
                 "the English run says the same");
        QCOMPARE(translated.status, english.status);
    }

    // What files, scripts and peers read stays English.
    void machineOutput_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("German read --json") << "de" << QStringList{"read", "--json"};
        QTest::newRow("German write --json")
            << "de" << QStringList{"write", "--defaults", "--json"};
        QTest::newRow("German version --json") << "de" << QStringList{"version", "--json"};
        QTest::newRow("Spanish defaults --json") << "es" << QStringList{"defaults", "--json"};
        QTest::newRow("German trace") << "de" << QStringList{"read", "--debug-log", "%p"};
        QTest::newRow("Spanish trace of a write")
            << "es" << QStringList{"write", "--defaults", "--debug-log", "%p"};
        QTest::newRow("German trace of a port that is not there")
            << "de" << QStringList{"read", "--port", "2", "--debug-log", "%p"};
        QTest::newRow("German read --json, the port not there")
            << "de" << QStringList{"read", "--port", "2", "--json"};
        QTest::newRow("Spanish --json usage error")
            << "es" << QStringList{"read", "--port", "0", "--json"};
        QTest::newRow("German doctor --json")
            << "de" << QStringList{"--simulate", "doctor", "--json"};
        QTest::newRow("Spanish doctor --json, a device not there: a fix, steps not tried")
            << "es" << QStringList{"--device", "/dev/ttyQ9", "doctor", "--json"};
    }
    void machineOutput()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, args);
        const Run translated = runIn(language, args);
        const Run english = runIn(QString(), args);
        QCOMPARE(translated.status, english.status);
        if (args.contains(QStringLiteral("--debug-log"))) {
            QVERIFY(english.file.contains("openComPort"));
            QCOMPARE(translated.file, english.file);
        } else {
            QVERIFY(!english.out.isEmpty());
            QCOMPARE(translated.out, english.out);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliLanguages)
#include "tst_clilanguages.moc"
