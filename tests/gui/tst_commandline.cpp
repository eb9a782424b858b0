// The window's command line: what ends the program before the window starts, on
// which stream and with which exit status.
#include "app/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void earlyExit_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode"); // -1: the window starts
        QTest::addColumn<bool>("toStandardError");
        QTest::addColumn<QString>("begins");
        QTest::newRow("no argument") << QStringList{} << -1 << false << "";
        QTest::newRow("DEBUG") << QStringList{"DEBUG"} << -1 << false << "";
        QTest::newRow("Qt's own options are Qt's") << QStringList{"-platform", "offscreen", "DEBUG", "--session", "1a2b", "-style=fusion", "-reverse"} << -1 << false << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << false << "Usage: qovprog [DEBUG]\nThe window";
        QTest::newRow("version, whatever else") << QStringList{"x", "--version"} << 0 << false << "qovprog " QOV_VERSION_STRING "\n";
        QTest::newRow("unknown word") << QStringList{"--turbo"} << 2 << true
            << "qovprog: unknown argument '--turbo'\nUsage: qovprog [DEBUG]\nTry 'qovprog --help' for more.\n";
        QTest::newRow("DEBUG and more") << QStringList{"DEBUG", "x"} << 2 << true << "qovprog: unknown argument 'x'\n";
        QTest::newRow("DEBUG twice") << QStringList{"DEBUG", "DEBUG"} << 2 << true << "qovprog: unknown argument 'DEBUG'\n";
        QTest::newRow("a value for no option") << QStringList{"-style=fusion", "offscreen"} << 2 << true << "qovprog: unknown argument 'offscreen'\n";
        // clang-format on
    }
    void earlyExit()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(bool, toStandardError);
        QFETCH(QString, begins);
        const auto early = CommandLine::earlyExit(args);
        QCOMPARE(early.has_value(), exitCode >= 0);
        if (!early)
            return;
        QCOMPARE(early->exitCode, exitCode);
        QCOMPARE(early->toStandardError, toStandardError);
        QVERIFY2(early->text.startsWith(begins), qPrintable(early->text));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
