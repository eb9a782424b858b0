#include "codes/IrCode.h"
#include "settings/DeviceSettings.h"

#include <QTest>

class TestCodes : public QObject
{
    Q_OBJECT
private slots:
    void buttonNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << "4a55ab" << "Display";
        QTest::newRow("zero button") << "CA50F3" << "0";
        QTest::newRow("not padded") << "A51EF" << "-1";
        QTest::newRow("empty") << "" << "-1";
        QTest::newRow("trailing blank") << "4A55AB " << "-1";
        QTest::newRow("seven digits") << "4A55ABC" << "-1";
        QTest::newRow("last row") << "CA50F3" << "0";
    }
    void buttonNames()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(GetButtonName(code), name);
    }

    void catalogueIsDistinctAndWellFormed()
    {
        QSet<QString> seen;
        for (const RemoteButton &row : RemoteCodeCatalogue) {
            const QString code = QString::fromLatin1(row.code);
            QCOMPARE(code.size(), 6);
            QCOMPARE(code, code.toUpper());
            QVERIFY(IrCode::fromText(code).has_value());
            QVERIFY(!seen.contains(code));
            seen.insert(code);
            QCOMPARE(GetButtonName(code), QString::fromLatin1(row.name));
        }
    }

    void padding_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("hexByte");
        QTest::addColumn<QString>("six");
        QTest::newRow("one digit") << "A" << "0A" << "00000A";
        QTest::newRow("empty") << "" << "" << "000000";
        QTest::newRow("two digits") << "FF" << "FF" << "0000FF";
        QTest::newRow("three") << "123" << "123" << "000123";
        QTest::newRow("longer than six") << "1234567" << "1234567" << "1234567";
    }
    void padding()
    {
        QFETCH(QString, in);
        QFETCH(QString, hexByte);
        QFETCH(QString, six);
        QCOMPARE(PadHexByte(in), hexByte);
        QString copy = in;
        QCOMPARE(PadLeftZeros(copy, 6), six);
        QCOMPARE(copy, six); // updated in place
    }

    void textToCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("b0");
        QTest::addColumn<int>("b1");
        QTest::addColumn<int>("b2");
        QTest::newRow("single digit") << "A" << true << 0 << 0 << 0x0A;
        QTest::newRow("lower case") << "0a51ef" << true << 0x0A << 0x51 << 0xEF;
        QTest::newRow("seven digits skip 5 and 6") << "1234567" << true << 0x12 << 0x34 << 0x67;
        QTest::newRow("empty") << "" << true << 0 << 0 << 0;
        QTest::newRow("not hex") << "GG0000" << false << 0 << 0 << 0;
        QTest::newRow("blank inside") << "12 456" << false << 0 << 0 << 0;
        QTest::newRow("sign") << "-12345" << false << 0 << 0 << 0;
    }
    void textToCode()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const auto code = IrCode::fromText(text);
        QCOMPARE(code.has_value(), valid);
        if (valid) {
            QFETCH(int, b0);
            QFETCH(int, b1);
            QFETCH(int, b2);
            QCOMPARE(int(code->bytes[0]), b0);
            QCOMPARE(int(code->bytes[1]), b1);
            QCOMPARE(int(code->bytes[2]), b2);
        }
    }

    void codeToText()
    {
        QCOMPARE((IrCode{{0x0A, 0x51, 0xEF}}.toText()), QStringLiteral("0A51EF"));
        QCOMPARE(IrCode{}.toText(), QStringLiteral("000000"));
        QCOMPARE((IrCode{{0xFF, 0x00, 0x05}}.toText()), QStringLiteral("FF0005"));
    }

    void defaultsAndResetInTransferOrder()
    {
        DeviceSettings s;
        s.LoadDefaultVars();
        const QList<int> expected = {1, 1, 1, 0, 20, 100, 2, 2, 0xFA, 0x52,
                                     0xD0, 0x4A, 0x55, 0xAB, 0xCA, 0x50, 0xF3, 0xCA, 0x5A, 0x53};
        QList<int> got;
        for (int loc : SettingsTransferOrder)
            got << int(s.valueAt(loc));
        QCOMPARE(got, expected);
        s.ResetVars();
        for (int loc : SettingsTransferOrder)
            QCOMPARE(s.valueAt(loc), 0.0);
    }

    void locationsRoundTrip()
    {
        DeviceSettings s;
        for (int loc : SettingsTransferOrder)
            s.setValueAt(loc, loc + 100);
        for (int loc : SettingsTransferOrder)
            QCOMPARE(s.valueAt(loc), double(loc + 100));
        QCOMPARE(int(s.ejectTrayCode.bytes[0]), 119);
        QCOMPARE(s.turnOffPresses, 106.0);
        QCOMPARE(s.ejectTrayPresses, 108.0);
        QCOMPARE(ConvertBoolToInt(2), 1);
        QCOMPARE(ConvertBoolToInt(0), 0);
    }
};

QTEST_GUILESS_MAIN(TestCodes)
#include "tst_codes.moc"
