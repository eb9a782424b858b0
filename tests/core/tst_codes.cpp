#include "codes/IrCode.h"
#include "settings/DeviceSettings.h"
#include "settings/SettingField.h"
#include "sim/SimBoard.h"

#include <QTest>

class TestCodes : public QObject
{
    Q_OBJECT
private slots:
    // code: the text converted to a code and back, empty when refused.
    void texts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("hexByte");
        QTest::addColumn<QString>("six");
        QTest::newRow("lower case") << "4a55ab" << "Display" << "4A55AB" << "4a55ab" << "4a55ab";
        QTest::newRow("zero button") << "CA50F3" << "0" << "CA50F3" << "CA50F3" << "CA50F3";
        QTest::newRow("not padded") << "A51EF" << "-1" << "0A51EF" << "A51EF" << "0A51EF";
        QTest::newRow("one digit") << "A" << "-1" << "00000A" << "0A" << "00000A";
        QTest::newRow("empty") << "" << "-1" << "000000" << "" << "000000";
        QTest::newRow("trailing blank") << "4A55AB " << "-1" << "" << "4A55AB " << "4A55AB ";
        QTest::newRow("seven digits") << "4A55ABC" << "-1" << "4A55BC" << "4A55ABC" << "4A55ABC";
        QTest::newRow("not hex") << "GG00FF" << "-1" << "" << "GG00FF" << "GG00FF";
        QTest::newRow("sign") << "-1234" << "-1" << "" << "-1234" << "0-1234";
        // clang-format on
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, hexByte);
        QFETCH(QString, six);
        QCOMPARE(GetButtonName(text), name);
        const auto c = IrCode::fromText(text);
        QCOMPARE(c ? c->toText() : QString(), code);
        QCOMPARE(PadHexByte(text), hexByte);
        QCOMPARE(PadLeftZeros(text, 6), six);
        QCOMPARE(text, six); // padded in place
    }

    void catalogueIsDistinctAndWellFormed()
    {
        QSet<QString> seen;
        for (const RemoteButton &row : RemoteCodeCatalogue) {
            const QString code = QString::fromLatin1(row.code);
            QVERIFY(code.size() == 6 && code == code.toUpper() && !seen.contains(code));
            seen.insert(code);
            QCOMPARE(GetButtonName(code), QString::fromLatin1(row.name));
        }
    }

    // The factory settings, which a fresh simulated board holds too (its unused 3 and
    // 7 hold what erased EEPROM holds); a reset clears every setting.
    void factorySettingsAndReset()
    {
        const QByteArray factory
            = QByteArray::fromHex("010101ff146402ff0200fa52d04a55abca50f3ca5a53");
        QCOMPARE(SimBoard::factoryMemory(), factory);
        DeviceSettings s;
        s.loadFactoryDefaults();
        for (int loc : SettingsTransferOrder)
            QCOMPARE(int(s.valueAt(loc)), int(quint8(factory.at(loc))));
        s.clearToZero();
        for (int loc : SettingsTransferOrder)
            QCOMPARE(s.valueAt(loc), 0.0);
    }

    // A setting added to the table without its place in the transfers shows here:
    // the one-byte settings come first, then the codes' bytes, each in the table's order.
    void transferOrderFollowsTheTable()
    {
        QList<int> oneByte, codes;
        for (const SettingField &f : SettingField::all())
            (f.locationCount() == 1 ? oneByte : codes) << f.locations();
        QCOMPARE(QList<int>(SettingsTransferOrder.cbegin(), SettingsTransferOrder.cend()),
                 oneByte + codes);
    }
};

QTEST_GUILESS_MAIN(TestCodes)
#include "tst_codes.moc"
