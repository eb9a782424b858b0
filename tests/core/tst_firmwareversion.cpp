// The one rule for what counts as a firmware version (qovctl version, the doctor).
#include "device/FirmwareVersion.h"

#include <QTest>

using Verdict = FirmwareVersion::Verdict;
Q_DECLARE_METATYPE(Verdict)

class TestFirmwareVersion : public QObject
{
    Q_OBJECT
private slots:
    void judge_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Verdict>("verdict");
        QTest::newRow("2.3b, a letter after the number") << "2.3b" << Verdict::Version;
        QTest::newRow("eight characters") << "2.5 beta" << Verdict::Version;
        QTest::newRow("nine characters: too long") << "2.5 beta1" << Verdict::NotPlain;
        QTest::newRow("2.5 and an escape sequence") << "2.5\x1b[0m" << Verdict::NotPlain;
        QTest::newRow("2.5 and DEL") << "2.5\x7f" << Verdict::NotPlain;
        QTest::newRow("2.5 and a C1 control") << QString("2.5") + QChar(0x9B) << Verdict::NotPlain;
        QTest::newRow("2.5 and a Latin-1 letter")
            << QString("2.5") + QChar(0xE9) << Verdict::Version;
        QTest::newRow("two characters") << "2." << Verdict::NoNumber;
        QTest::newRow("letters") << "XOK" << Verdict::NoNumber;
        QTest::newRow("a negative number") << "-1.5" << Verdict::NoNumber;
        QTest::newRow("nothing") << "" << Verdict::NoNumber;
    }
    void judge()
    {
        QFETCH(QString, answer);
        QFETCH(Verdict, verdict);
        QCOMPARE(FirmwareVersion::judge(answer), verdict);
    }

    void hexBytes()
    {
        QCOMPARE(FirmwareVersion::hexBytes("2.5\x1b"), QStringLiteral("32 2E 35 1B"));
        QCOMPARE(FirmwareVersion::hexBytes(QString(17, u'A')),
                 QString("41 ").repeated(15) + "41 ...");
    }
};

QTEST_GUILESS_MAIN(TestFirmwareVersion)
#include "tst_firmwareversion.moc"
