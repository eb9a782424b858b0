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
        if (setup == "junk after") { // a state file as qov-sim writes it, then damaged by hand
            QFile file(state);
            QVERIFY(file.open(QIODevice::WriteOnly)
                    && file.write(QByteArray(SimBoard::LocationCount, '\x01').toHex(' ')
                                  + " 7F junk\n"));
        }
        QProcess sim;
        sim.setProcessChannelMode(QProcess::MergedChannels);
        sim.start(simExe(),
                  QStringList{"--link", comLink} + simArgs.replaceInStrings("STATE", state));
        QByteArray out;
        // A loaded machine may take seconds to start it.
        const auto heard = [&](const QString &text) {
            for (int i = 0; i < 600 && !out.contains(text.toUtf8()); ++i)
                sim.waitForReadyRead(50), out += sim.readAll();
            return out.contains(text.toUtf8());
        };
        if (exitCode >= 0) {
            QVERIFY2(sim.waitForFinished(30000), "still running");
            out = sim.readAll();
            QVERIFY2(sim.exitCode() == exitCode && out.count(said.toUtf8()) == 1, out.constData());
            return;
        }
        QVERIFY2(heard("serving on"), out.constData());
        QFile client(comLink);
        QVERIFY(setup != "hold" || client.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        sim.write(input);
        while (sim.bytesToWrite() > 0 && sim.waitForBytesWritten(5000)) { }
        QVERIFY2(heard(said), out.constData());
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
        sim.terminate(); // ends well and takes its link away
        QVERIFY(sim.waitForFinished(60000) && sim.exitCode() == 0);
        QVERIFY(!QFileInfo::exists(comLink));
    }

    // The board served in this process, one link through it step by step, each
    // "name:arguments=result": procedures, "reopen" (close and open: a power cycle,
    // the greeting again) and "vanished" (the board vanished at location 7: the port
    // fails and names the device; its link comes back). Its state file is written
    // by a stand-in for the disk that takes until the session ends over each save:
    // no answer waits for a save, and the last memory is saved at the stop. A full
    // disk: stateFileOnAFullDisk.
    void session()
    {
        const QString steps = "reopen=XOK check=true version=2.5 read:4=20 read:9=0 "
                              "write:3:42=42 write:4:7=7 reopen=XOK read:3=42 read:7=-1 "
                              "vanished=8020 reopen=XOK read:4=7";
        QTemporaryDir dir; // a throwaway port directory
        qputenv("QOV_PORT_DIR", QFile::encodeName(dir.path()));
        const QString state = dir.filePath("state"), comLink = dir.filePath("COM1");
        const QByteArray old = SimBoard::factoryMemory().toHex(' ').toUpper() + '\n';
        QFile oldFile(state);
        QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
        SystemClock clock;
        SimBoard board(clock);
        SimOptions options;
        QVERIFY(options.parse({"--link", comLink, "--fault", "7:vanish"}));
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

        DebugLog log;
        RecordingMessageBoxes messages;
        LinkPreferences prefs;
        DeviceLink link{clock, log, messages, prefs};
        QtProgrammerPort port;
        QStringList got;
        for (const QString &step : steps.split(' ')) {
            const QStringList call = step.section('=', 0, 0).split(':');
            double loc = call.value(1).toDouble(), value = call.value(2).toDouble();
            QString result;
            if (call[0] == "reopen") {
                link.closeComPort(port);
                // A vanished board's link returns after about a second.
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(comLink).exists(), 30000);
                QVERIFY(link.openComPort(port));
                result = link.GetXOK(port).value_or("(none)");
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
        QVERIFY(!port.hasFailed() && messages.texts().isEmpty());
        link.closeComPort(port);
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
