#include "settings/Profile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char DefaultsJson[] = R"({
  "format": "qov-settings",
  "version": 1,
  "allowPowerOn": true,
  "allowPowerOff": true,
  "allowEjectTray": true,
  "powerOnByEject": false,
  "modOnPushDelayMs": 200,
  "modOffPushDelayMs": 1000,
  "turnOnModEnabledCode": "FA52D0",
  "turnOnModDisabledCode": "4A55AB",
  "turnOffCode": "CA50F3",
  "turnOffPresses": 3,
  "ejectTrayCode": "CA5A53",
  "ejectTrayPresses": 3
}
)";

// The defaults profile with one field replaced (or removed when value is undefined).
QByteArray withField(const QString &key, const QJsonValue &value)
{
    QJsonObject obj = QJsonDocument::fromJson(DefaultsJson).object();
    if (value.isUndefined())
        obj.remove(key);
    else
        obj.insert(key, value);
    return QJsonDocument(obj).toJson();
}

DeviceSettings fromBytes(const std::array<int, 20> &bytes)
{
    DeviceSettings s;
    for (int i = 0; i < 20; ++i)
        s.setValueAt(SettingsTransferOrder[i], bytes[i]);
    return s;
}

} // namespace

class TestProfile : public QObject
{
    Q_OBJECT
private slots:
    void defaultsAreWrittenInTheFixedLayout()
    {
        DeviceSettings s;
        s.LoadDefaultVars();
        QCOMPARE(QString::fromUtf8(Profile::toJson(s)), QString::fromUtf8(DefaultsJson));
    }

    void boardValuesRoundTrip_data()
    {
        QTest::addColumn<QList<int>>("bytes");
        QTest::newRow("defaults") << QList<int> {1, 1, 1, 0, 20, 100, 2, 2, 0xFA, 0x52, 0xD0, 0x4A,
            0x55, 0xAB, 0xCA, 0x50, 0xF3, 0xCA, 0x5A, 0x53};
        QTest::newRow("all zero") << QList<int>(20, 0);
        QTest::newRow("editor maxima") << QList<int> {
            1, 0, 1, 1, 255, 255, 254, 254, 255, 255, 255, 0, 0, 0, 0x0A, 0x51, 0xEF, 1, 2, 3};
    }
    void boardValuesRoundTrip()
    {
        QFETCH(QList<int>, bytes);
        std::array<int, 20> arr {};
        std::copy(bytes.begin(), bytes.end(), arr.begin());
        const DeviceSettings board = fromBytes(arr);
        const QByteArray json = Profile::toJson(board);
        QString error;
        const auto back = Profile::fromJson(json, &error);
        QVERIFY2(back.has_value(), qPrintable(error));
        QCOMPARE(Profile::toJson(*back), json);
        for (int loc : SettingsTransferOrder)
            QCOMPARE(roundToByte(back->valueAt(loc)), roundToByte(board.valueAt(loc)));
        QVERIFY(Profile::valuesOutsideEditorRanges(board).isEmpty());
    }

    void pressCountByte255IsNotedAndRefused()
    {
        DeviceSettings s;
        s.LoadDefaultVars();
        s.turnOffPresses = 255;
        const QByteArray json = Profile::toJson(s);
        QVERIFY(json.contains("\"turnOffPresses\": 256,"));
        const QStringList notes = Profile::valuesOutsideEditorRanges(s);
        QCOMPARE(notes.size(), 1);
        QVERIFY(notes.first().contains(QLatin1String("256")));
        QString error;
        QVERIFY(!Profile::fromJson(json, &error));
        QVERIFY(error.contains(QLatin1String("turnOffPresses")));
        QVERIFY(error.contains(QLatin1String("1 to 255")));
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<int>("location");
        QTest::addColumn<double>("stored");
        QTest::newRow("1 press") << "turnOffPresses" << QJsonValue(1) << 6 << 0.0;
        QTest::newRow("1.5 presses rounds to 2") << "turnOffPresses" << QJsonValue(1.5) << 6 << 0.5;
        QTest::newRow("205 msec kept exact") << "modOnPushDelayMs" << QJsonValue(205) << 4 << 20.5;
        QTest::newRow("lower-case code") << "ejectTrayCode" << QJsonValue("4a55ab") << 19 << 74.0;
        QTest::newRow("short code padded") << "ejectTrayCode" << QJsonValue("1A2B") << 20 << 26.0;
    }
    void accepted()
    {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(int, location);
        QFETCH(double, stored);
        QString error;
        const auto s = Profile::fromJson(withField(key, value), &error);
        QVERIFY2(s.has_value(), qPrintable(error));
        QCOMPARE(s->valueAt(location), stored);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("mentions");
        const QJsonValue none = QJsonValue(QJsonValue::Undefined);
        QTest::newRow("malformed")
            << QByteArray("{\n  \"format\": ,\n}") << QStringList {"JSON", "line 2"};
        QTest::newRow("not an object") << QByteArray("[1, 2]") << QStringList {"object"};
        QTest::newRow("wrong format")
            << withField("format", "other") << QStringList {"format", "qov-settings"};
        QTest::newRow("version 2") << withField("version", 2) << QStringList {"version", "1"};
        QTest::newRow("version as text") << withField("version", "1") << QStringList {"version"};
        QTest::newRow("unknown field")
            << withField("turnOfCode", "CA50F3") << QStringList {"turnOfCode", "not a setting"};
        QTest::newRow("missing field") << withField("turnOffCode", none)
                                       << QStringList {"turnOffCode", "missing", "hexadecimal"};
        QTest::newRow("flag as number")
            << withField("allowPowerOn", 1) << QStringList {"allowPowerOn", "true or false"};
        QTest::newRow("0 presses")
            << withField("turnOffPresses", 0) << QStringList {"turnOffPresses", "1 to 255"};
        QTest::newRow("0.5 presses rounds to 0")
            << withField("turnOffPresses", 0.5) << QStringList {"turnOffPresses"};
        QTest::newRow("negative delay")
            << withField("modOnPushDelayMs", -10) << QStringList {"modOnPushDelayMs", "0 to 2550"};
        QTest::newRow("huge delay")
            << withField("modOffPushDelayMs", 1e300) << QStringList {"modOffPushDelayMs"};
        QTest::newRow("seven digit code")
            << withField("turnOffCode", "CA50F31") << QStringList {"turnOffCode", "1 to 6"};
        QTest::newRow("non-hex code")
            << withField("turnOffCode", "CA50G3") << QStringList {"turnOffCode"};
        QTest::newRow("code with sign")
            << withField("ejectTrayCode", "+1A") << QStringList {"ejectTrayCode"};
        QTest::newRow("over 1 MiB")
            << QByteArray(Profile::MaxFileSize + 1, ' ') << QStringList {"1 MiB"};
    }
    void refused()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, mentions);
        QString error;
        QVERIFY(!Profile::fromJson(json, &error).has_value());
        for (const QString &m : mentions)
            QVERIFY2(error.contains(m), qPrintable(error));
    }

    void saveAndLoadFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.json"));
        DeviceSettings s;
        s.LoadDefaultVars();
        QString error;
        QVERIFY2(Profile::save(path, s, &error), qPrintable(error));
        const auto back = Profile::load(path, &error);
        QVERIFY2(back.has_value(), qPrintable(error));
        QCOMPARE(*back, s);
        QVERIFY(!Profile::save(dir.filePath(QStringLiteral("no/such/dir.json")), s, &error));
        QVERIFY(error.contains(QLatin1String("dir.json")));
    }

private:
    static int roundToByte(double v) { return static_cast<int>(std::nearbyint(v)); }
};

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
