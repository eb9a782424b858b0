// End to end: the real port over QSerialPort talking to qov-sim on a
// pseudo-terminal, through the device procedures, on real time.
#include "device/DeviceLink.h"
#include "device/QtProgrammerPort.h"
#include "sim/SimOptions.h"
#include "sim/pty/PtyServer.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

namespace {
QString simExe() { return QDir(qEnvironmentVariable("QOV_BUILD_DIR")).filePath("qov-sim"); }

// Linux: the wake-ups (voluntary context switches) and processor ticks a process
// has had so far; -1 elsewhere.
QPair<qint64, qint64> usage(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
        return {-1, -1};
    const QByteArray s = status.readAll();
    const qsizetype at = s.indexOf("voluntary_ctxt_switches:") + 24;
    const QList<QByteArray> f = stat.readAll().split(')').last().simplified().split(' ');
    return {s.mid(at, s.indexOf('\n', at) - at).trimmed().toLongLong(),
            f.value(11).toLongLong() + f.value(12).toLongLong()}; // utime + stime
}
} // namespace

class TestQtPortPty : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
#ifndef Q_OS_UNIX
        QSKIP("needs pseudo-terminals");
#endif
        if (!QFileInfo(simExe()).isExecutable())
            QSKIP("qov-sim has not been built");
    }

    // Simulator options ("STATE" is a state file), then steps on one link, each
    // "name:arguments=result": procedures, "reopen" (close and open: a power
    // cycle, the greeting again), "restart" (a new simulator; its link goes and
    // comes back) and "vanished" (the port fails and names the device).
    void session_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("steps");
        QTest::newRow("healthy board") << QStringList{} << "xok=XOK check=true version=2.5 "
            "read:4=20 read:9=0 write:5:33=33 reopen=XOK read:5=33";
        QTest::newRow("vanished board") << QStringList{"--fault", "7:vanish"}
                                        << "xok=XOK read:7=-1 vanished=8020 reopen=XOK read:4=20";
        QTest::newRow("memory kept in the state file") << QStringList{"--state", "STATE"}
            << "write:3:42=42 restart=XOK read:3=42";
        // clang-format on
    }
    void session()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, steps);
        QTemporaryDir dir; // a throwaway port directory
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir.path()));
        const QString comLink = dir.filePath("COM1");
        simArgs = QStringList{"--link", comLink} + simArgs.replaceInStrings("STATE", comLink + "s");
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        QByteArray out;
        const auto startSim = [&] { // true once it serves
            sim.start(simExe(), simArgs);
            // A loaded machine may take seconds to start it; the wait ends when it serves.
            for (int i = 0; i < 300 && !out.contains("serving on " + comLink.toUtf8()); ++i)
                sim.waitForReadyRead(100), out += sim.readAll();
            return out.contains("serving on " + comLink.toUtf8());
        };
        QVERIFY2(startSim(), out.constData());
        SystemClock clock;
        DebugLog log;
        RecordingMessageBoxes messages;
        LinkPreferences prefs;
        DeviceLink link{clock, log, messages, prefs};
        QtProgrammerPort port;
        QVERIFY(link.openComPort(port));
        std::optional<QString> hello = link.GetXOK(port);
        QStringList got;
        for (const QString &step : steps.split(' ')) {
            const QStringList call = step.section('=', 0, 0).split(':');
            double loc = call.value(1).toDouble(), value = call.value(2).toDouble();
            QString result;
            if (call[0] == "reopen" || call[0] == "restart") {
                link.closeComPort(port);
                if (call[0] == "restart") {
                    sim.terminate(); // the state file is saved before it ends, on a slow disk too
                    QVERIFY(sim.waitForFinished(60000) && sim.exitCode() == 0);
                    QVERIFY(!QFileInfo(comLink).isSymLink());
                    out.clear();
                    QVERIFY2(startSim(), out.constData());
                }
                // A vanished board's link returns after about a second.
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(comLink).exists(), 30000);
                QVERIFY(link.openComPort(port));
                result = link.GetXOK(port).value_or("(none)");
            } else if (call[0] == "xok") {
                result = hello.value_or("(none)");
            } else if (call[0] == "version") {
                result = link.GetVersion(port).value_or("(none)");
            } else if (call[0] == "check") {
                result = link.CheckQOV(port) ? "true" : "false";
            } else if (call[0] == "vanished") {
                QTRY_VERIFY_WITH_TIMEOUT((port.bytesWaiting(), port.hasFailed()), 30000);
                QVERIFY(port.lastError().description.contains("COM1"));
                result = QString::number(port.lastError().number);
            } else if (call[0] == "read") {
                result = QString::number(link.ReadFromDevice(loc, port));
            } else {
                result = QString::number(link.WriteToDevice(loc, value, port));
            }
            got << step.section('=', 0, 0) + '=' + result;
        }
        QCOMPARE(got.join(' '), steps);
        QVERIFY(!port.hasFailed());
        QVERIFY(messages.texts().isEmpty());
        link.closeComPort(port);
    }

    // The program on its own: what it refuses at once, what it reports, and that
    // it sleeps while nothing happens. "STATE" is a path in a throwaway folder,
    // "huge" makes it a large sparse file; "hold" keeps the port open meanwhile.
    void program_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode"); // -1: keeps serving
        QTest::addColumn<QString>("said");  // once in its output
        QTest::newRow("endless state file refused at once") << QStringList{"--state", "/dev/zero"}
            << "" << QByteArray() << 1 << "/dev/zero: not a regular file";
        QTest::newRow("huge state file refused at once") << QStringList{"--state", "STATE"}
            << "huge" << QByteArray() << 1 << "STATE: larger than a state file can be";
        QTest::newRow("state file with junk after its 22 bytes refused, named")
            << QStringList{"--state", "STATE"} << "junk after" << QByteArray() << 1
            << "STATE: expected 22 hex bytes separated by blanks";
        QTest::newRow("state file one byte short refused, named")
            << QStringList{"--state", "STATE"} << "short" << QByteArray() << 1
            << "STATE: expected 22 hex bytes separated by blanks";
        QTest::newRow("unsavable state reported once") << QStringList{"--state", "STATE/none"}
            << "" << QByteArray() << -1 << "cannot save STATE/none";
        QTest::newRow("long line on standard input") << QStringList{} << ""
            << QByteArray(4 << 20, 'A') + "\n4A55AB\n" << -1 << "learn code 4A55AB queued";
        QTest::newRow("idle, port held open") << QStringList{} << "hold" << QByteArray() << -1
            << "serving on";
        // clang-format on
    }
    void program()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QString, setup);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString state = dir.filePath("state"), comLink = dir.filePath("COM1");
        said.replace("STATE", state);
        if (setup == "huge") {
            QFile huge(state);
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 28));
        }
        if (setup == "junk after" || setup == "short") {
            // A state file as qov-sim writes it, then damaged by hand.
            QByteArray bytes = QByteArray(SimBoard::LocationCount, '\x01').toHex(' ');
            bytes = setup == "short" ? bytes.left(bytes.size() - 3) : bytes + " 7F junk";
            QFile file(state);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes + '\n') > 0);
        }
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(simExe(),
                  QStringList{"--link", comLink} + simArgs.replaceInStrings("STATE", state));
        QByteArray out;
        const auto heard = [&](const QString &text, int ms) {
            for (int i = 0; i < ms / 50 && !out.contains(text.toUtf8()); ++i)
                sim.waitForReadyRead(50), out += sim.readAll();
            return out.contains(text.toUtf8());
        };
        if (exitCode >= 0) {
            QVERIFY2(sim.waitForFinished(30000), "still running");
            out = sim.readAll();
            QVERIFY2(sim.exitCode() == exitCode && out.count(said.toUtf8()) == 1, out.constData());
            return;
        }
        QVERIFY2(heard("serving on", 30000), out.constData());
        QFile client(comLink);
        QVERIFY(setup != "hold" || client.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        sim.write(input);
        while (sim.bytesToWrite() > 0 && sim.waitForBytesWritten(5000)) { }
        QVERIFY2(heard(said, 30000), out.constData());
        QTest::qWait(500); // the greeting of a held port, and whatever else was due
        const auto before = usage(sim.processId());
        QTest::qWait(1000);
        const auto after = usage(sim.processId());
        sim.waitForReadyRead(100), out += sim.readAll();
        QVERIFY2(out.count(said.toUtf8()) == 1, out.constData());
        // Asleep while idle, and little processor time for all it was given.
        if (before.first >= 0)
            QVERIFY2(after.first - before.first <= 3 && after.second <= 50,
                     qPrintable(QStringLiteral("%1 wake-ups idle, %2 ticks in all")
                                    .arg(after.first - before.first)
                                    .arg(after.second)));
        client.close();
        sim.terminate();
        QVERIFY(sim.waitForFinished(60000) && sim.exitCode() == 0);
    }

    // The board served in this process, its state file written by a stand-in for the
    // disk that takes until the session ends over each save: no answer waits for a
    // save, and the last memory is saved at the stop. A full disk: stateFileOnAFullDisk.
    void stateFile()
    {
        QTemporaryDir dir;
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir.path()));
        const QString state = dir.filePath("state"), comLink = dir.filePath("COM1");
        const QByteArray old = SimBoard::factoryMemory().toHex(' ').toUpper() + '\n';
        QFile oldFile(state);
        QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
        SystemClock clock;
        SimBoard board(clock);
        SimOptions options;
        QVERIFY(options.parse({"--link", comLink}));
        options.applyTo(board);
        QString said, errorsSaid;
        QTextStream out(&said), err(&errorsSaid);
        auto server = std::make_unique<PtyServer>(board, clock, out, err);
        server->setReadsStandardInput(false);
        server->setStateFile(state);
        QSemaphore sessionOver;
        server->setStateWriter([&](const QString &path, const QByteArray &text, QString *error) {
            sessionOver.acquire();
            return StateFileSaver::writeWhole(path, text, error);
        });
        QString error;
        QVERIFY2(server->loadState(&error) && server->start(comLink, &error), qPrintable(error));
        std::thread serving([&] { server->run(); });
        const auto stop = [&] {
            if (!serving.joinable())
                return;
            sessionOver.release(1000);
            PtyServer::requestStop();
            serving.join();
            server.reset(); // the last save
        };
        const auto stopOnFailure = qScopeGuard(stop);

        SystemClock hostClock;
        DebugLog log;
        RecordingMessageBoxes messages;
        LinkPreferences prefs;
        DeviceLink link{hostClock, log, messages, prefs};
        QtProgrammerPort port;
        QVERIFY(link.openComPort(port));
        QCOMPARE(link.GetXOK(port).value_or("(none)"), "XOK");
        double three = 3, four = 4, v42 = 42, v7 = 7;
        const QList<int> got{link.WriteToDevice(three, v42, port), link.ReadFromDevice(three, port),
                             link.WriteToDevice(four, v7, port), link.ReadFromDevice(four, port)};
        link.closeComPort(port);
        QCOMPARE(got, (QList<int>{42, 42, 7, 7}));
        stop();

        QCOMPARE(errorsSaid, QString());
        QVERIFY(oldFile.open(QIODevice::ReadOnly));
        QByteArray memory = SimBoard::factoryMemory();
        memory[3] = 42, memory[4] = 7;
        QCOMPARE(oldFile.readAll(), memory.toHex(' ').toUpper() + '\n');
        qunsetenv("QOV_PORT_DIR");
    }

    // The saver's own writer on a disk that fills part-way through the file: every
    // byte or none, the old file kept and the failure said, at every place it may fill.
    void stateFileOnAFullDisk()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath("state");
        const QByteArray old = SimBoard::factoryMemory().toHex(' ').toUpper() + '\n';
        QByteArray memory = SimBoard::factoryMemory();
        memory[3] = 42;
        for (int room = 0; room < old.size(); room += 7) {
            QFile oldFile(state);
            QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
            oldFile.close();
            QString errorsSaid;
            QTextStream err(&errorsSaid);
            {
                const FileSizeLimit fullDisk(room);
                StateFileSaver saver(state, err);
                saver.save(memory);
            } // the saver has ended: every save handed over is done
            QVERIFY(oldFile.open(QIODevice::ReadOnly));
            QCOMPARE(oldFile.readAll(), old);
            QCOMPARE(errorsSaid, "qov-sim: cannot save " + state
                                     + ": File too large; the file keeps the state saved before, "
                                       "and changes are kept in memory only\n");
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"state"});
        }
    }
};

QTEST_GUILESS_MAIN(TestQtPortPty)
#include "tst_qtport_pty.moc"
