// The installed programs together: qovctl against qov-sim on a pseudo-terminal,
// with the user's preferences in a throwaway configuration directory.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestQovctlProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString build = qEnvironmentVariable("QOV_BUILD_DIR");
        m_qovctl = QDir(build).filePath(QStringLiteral("qovctl"));
        m_sim = QDir(build).filePath(QStringLiteral("qov-sim"));
        if (build.isEmpty() || !QFile::exists(m_qovctl) || !QFile::exists(m_sim))
            QSKIP("QOV_BUILD_DIR does not hold qovctl and qov-sim");
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        QFile conf(m_dir.filePath(QStringLiteral("config/QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n");
        conf.close();

        m_server.setProgram(m_sim);
        m_server.setArguments({QStringLiteral("--link"), m_dir.filePath(QStringLiteral("COM1")),
            QStringLiteral("--fault"), QStringLiteral("13:wrong-readback")});
        m_server.start();
        QVERIFY(m_server.waitForStarted());
        QByteArray banner;
        QTRY_VERIFY_WITH_TIMEOUT(
            (banner += m_server.readAllStandardOutput()).contains("qov-sim: serving on"), 10000);
    }

    void cleanupTestCase()
    {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(5000))
                m_server.kill();
        }
    }

    void commands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("outMentions");
        QTest::addColumn<QString>("errMentions");
        QTest::newRow("version") << QStringList {"version"} << 0 << "QOV Version: 2.5"
                                 << "";
        QTest::newRow("read") << QStringList {"read", "--json"} << 0
                              << "\"format\": \"qov-settings\""
                              << "";
        QTest::newRow("write with a failing location")
            << QStringList {"write", "--defaults"} << 1 << ""
            << "failed location(s): 13";
        QTest::newRow("absent port") << QStringList {"--port", "2", "read"} << 1 << ""
                                     << "Unable to open COM 2";
        QTest::newRow("bad usage") << QStringList {"write"} << 2 << ""
                                   << "qovctl: ";
    }
    void commands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, outMentions);
        QFETCH(QString, errMentions);
        QProcess ctl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QOV_PORT_DIR"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        ctl.setProcessEnvironment(env);
        ctl.start(m_qovctl, args);
        QVERIFY(ctl.waitForFinished(30000));
        const QString out = QString::fromUtf8(ctl.readAllStandardOutput());
        const QString err = QString::fromUtf8(ctl.readAllStandardError());
        QCOMPARE(ctl.exitStatus(), QProcess::NormalExit);
        QVERIFY2(ctl.exitCode() == exitCode, qPrintable(err));
        QVERIFY2(out.contains(outMentions), qPrintable(out));
        QVERIFY2(err.contains(errMentions), qPrintable(err));

        // The one-run options never touch the stored preferences.
        QFile conf(m_dir.filePath(QStringLiteral("config/QOVPROGSOFT.conf")));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), QByteArray("[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n"));
    }

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    QString m_qovctl;
    QString m_sim;
};

QTEST_GUILESS_MAIN(TestQovctlProcess)
#include "tst_qovctlprocess.moc"
