// The real qovctl against qov-sim on a pseudo-terminal: a signal that ends it
// while it holds the port leaves no serial lock file behind (the port library
// keeps its lock in the system's lock folder, where litter would stay).
#include "device/SerialLocks.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

class TestLockSignals : public QObject
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
        const QByteArray text = "[V2]\nFIRSTLOAD=False\nPROGTYPE=1\nCOMPORT=1\n";
        QVERIFY(conf.open(QIODevice::WriteOnly) && conf.write(text) == text.size());
        m_env.insert(QStringLiteral("QOV_PORT_DIR"), m_dir.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path());
        m_port = m_dir.filePath(QStringLiteral("COM1"));
        m_server.start(build.filePath(QStringLiteral("qov-sim")), {"--link", m_port});
        QByteArray banner;
        QTRY_VERIFY_WITH_TIMEOUT(
            (banner += m_server.readAllStandardOutput()).contains("qov-sim: serving on"), 30000);
    }
    void cleanupTestCase()
    {
        m_server.kill(), m_server.waitForFinished();
        // Nothing of this run stays in the system's lock folders, even when it fails.
        const QStringList left = locksOf(0);
        for (const QString &lock : left)
            QFile::remove(lock);
        QCOMPARE(left, QStringList());
    }

    void signalEndsRead_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM (a session ending)") << int(SIGTERM);
        QTest::newRow("SIGHUP (its terminal closed)") << int(SIGHUP);
        QTest::newRow("Ctrl-C") << int(SIGINT);
    }
    void signalEndsRead()
    {
        QFETCH(int, signal);
        QProcess ctl;
        ctl.setProcessEnvironment(m_env);
        ctl.start(m_qovctl, {"read"});
        QVERIFY(ctl.waitForStarted(30000));
        const qint64 pid = ctl.processId();
        // The lock is there while the read holds the port (the power cycle closes it
        // for a moment, so it is waited for, then the signal sent at once).
        QTRY_VERIFY_WITH_TIMEOUT(!locksOf(pid).isEmpty() || ctl.state() == QProcess::NotRunning,
                                 30000);
        QVERIFY2(ctl.state() == QProcess::Running, "the read ended before it could be stopped");
        ::kill(pid_t(pid), signal);
        QVERIFY(ctl.waitForFinished(30000));
        // Ended by the signal, as before; only the lock is gone with it.
        QCOMPARE(ctl.exitStatus(), QProcess::CrashExit);
        QCOMPARE(locksOf(pid), QStringList());
    }

private:
    // The lock files on the port in the system's folders: of this process (pid),
    // or any (0).
    QStringList locksOf(qint64 pid) const
    {
        QStringList found;
        for (const SerialLockFile &lock :
             serialLockFiles(serialLockNames(m_port), serialLockFolders())) {
            if (pid == 0 || lock.pid == pid)
                found << lock.path;
        }
        return found;
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_server;
    QString m_qovctl;
    QString m_port;
};

QTEST_GUILESS_MAIN(TestLockSignals)
#include "tst_locksignals.moc"
