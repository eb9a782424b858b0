// The real qovctl against qov-sim on a pseudo-terminal, with throwaway preferences.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

static const QByteArray Conf = "[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n";

class TestQovctlProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QDir build(qEnvironmentVariable("QOV_BUILD_DIR"));
        m_qovctl = build.filePath(QStringLiteral("qovctl"));
        if (!build.exists(QStringLiteral("qovctl")) || !build.exists(QStringLiteral("qov-sim")))
            QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
        QFile conf(m_dir.filePath(QStringLiteral("QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly) && conf.write(Conf) == Conf.size());
        m_env.insert(QStringLiteral("QOV_PORT_DIR"), m_dir.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        m_server.start(
            build.filePath(QStringLiteral("qov-sim")),
            {"--link", m_dir.filePath(QStringLiteral("COM1")), "--fault", "13:wrong-readback"});
        QByteArray banner;
        QTRY_VERIFY_WITH_TIMEOUT(
            (banner += m_server.readAllStandardOutput()).contains("qov-sim: serving on"), 10000);
    }
    void cleanupTestCase() { m_server.kill(), m_server.waitForFinished(); }

    void commands_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mentions"); // in standard output, or error when failing
        QTest::newRow("read") << QStringList{"read", "--json"} << 0 << "\"format\": \"qov-settings\"";
        QTest::newRow("write, one location fails")
                << QStringList{"write", "--defaults"} << 1 << "failed location(s): 13";
        // The built-in board installed in the console keeps its power through the cycle.
        QTest::newRow("simulated, self-powered")
                << QStringList{"--simulate", "--self-powered", "read"} << 0 << "Allow Power ON";
        // The doctor's system checks on this machine's files, then the board's steps.
        QTest::newRow("doctor") << QStringList{"doctor"} << 0 << "4. Not in use: OK";
        QTest::newRow("doctor, simulated") << QStringList{"--simulate", "doctor"} << 0 << "8. One read: OK";
        // The window's program answers these without a display.
        QTest::newRow("qovprog --version") << QStringList{"qovprog", "--version"} << 0 << "qovprog " QOV_VERSION_STRING;
        QTest::newRow("qovprog --help") << QStringList{"qovprog", "--help"} << 0 << "Usage: qovprog [DEBUG]";
        // clang-format on
    }
    void commands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, mentions);
        QProcess ctl;
        QProcessEnvironment env = m_env;
        const bool window = args.first() == "qovprog";
        if (window) {
            for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(display);
            env.insert("QT_QPA_PLATFORM", "xcb"); // a platform that would need a display
        }
        ctl.setProcessEnvironment(env);
        ctl.start(window ? QFileInfo(m_qovctl).dir().filePath(args.takeFirst()) : m_qovctl, args);
        QVERIFY(ctl.waitForFinished(30000) && ctl.exitStatus() == QProcess::NormalExit);
        const QString out = exitCode ? ctl.readAllStandardError() : ctl.readAllStandardOutput();
        QVERIFY2(ctl.exitCode() == exitCode && out.contains(mentions), qPrintable(out));
        // A run never touches the stored preferences.
        QFile conf(m_dir.filePath(QStringLiteral("QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), Conf);
    }

    // A program that has the port open is named with its process number.
    void doctorNamesTheProgramHoldingThePort()
    {
        QFile held(m_dir.filePath(QStringLiteral("COM1")));
        QVERIFY(held.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        QProcess ctl;
        ctl.setProcessEnvironment(m_env);
        ctl.start(m_qovctl, {"doctor"});
        QVERIFY(ctl.waitForFinished(30000) && ctl.exitStatus() == QProcess::NormalExit);
        const QString out = ctl.readAllStandardOutput();
        QVERIFY2(
            ctl.exitCode() == 1
                && out.contains(QStringLiteral("(PID %1)").arg(QCoreApplication::applicationPid()))
                && out.contains(QLatin1String("5. Open and power cycle: not tried")),
            qPrintable(out));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QString m_qovctl;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
};

QTEST_GUILESS_MAIN(TestQovctlProcess)
#include "tst_qovctlprocess.moc"
