// qovctl write with damaged profiles: exit 2, one line naming the problem, and
// not a single byte to the board.
#include "settings/Profile.h"
#include "support/QovctlRig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

int g_injected = 0;

// A good profile with one field replaced (an undefined value removes it).
QByteArray profile(const QString &field = {}, const QJsonValue &value = QJsonValue::Undefined)
{
    DeviceSettings s;
    s.LoadDefaultVars();
    QJsonObject o = QJsonDocument::fromJson(Profile::toJson(s)).object();
    if (value.isUndefined())
        o.remove(field);
    else
        o.insert(field, value);
    return QJsonDocument(o).toJson();
}

} // namespace

class TestBadProfiles : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { qInfo("injected and survived: damaged profiles %d", g_injected); }
    void write_data();
    void write();
};

void TestBadProfiles::write_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("mentions"); // in the one line of the message; null: accepted
    QTest::newRow("good") << profile() << QString(); // the rows differ from it in one field
    const QList<QJsonValue> wrongTypes = {
        QJsonValue::Null,     QJsonArray{1}, QJsonObject{{"a", 1}}, QStringLiteral("12"), 1, true,
        QJsonValue::Undefined};
    for (const QString f :
         {"allowPowerOn", "allowPowerOff", "allowEjectTray", "powerOnByEject",
          "turnOnModEnabledCode", "turnOnModDisabledCode", "turnOffCode", "ejectTrayCode",
          "modOnPushDelayMs", "modOffPushDelayMs", "turnOffPresses", "ejectTrayPresses"}) {
        const QJsonValue::Type fits
            = f.startsWith("allow") || f.startsWith("power")
                  ? QJsonValue::Bool
                  : (f.endsWith("Code") ? QJsonValue::String : QJsonValue::Double);
        QList<QJsonValue> bad; // out of range
        if (f.endsWith("Ms"))
            bad = {-1.0, -0.6, 2550.6, 2551.0, 1e9, 1e308, 205.0, 0.5}; // last two: rounded
        else if (f.endsWith("Presses"))
            bad = {0.0, 0.5, -1.0, 255.6, 256.0, 1e12, 1.5};
        else if (fits == QJsonValue::String)
            for (const char *v :
                 {"", "GGGGGG", "12 456", "-12345", "1234567890", "0x1234", "\xC3\xA9\xC3\xA9"})
                bad << QString::fromUtf8(v);
        for (const QJsonValue &v : wrongTypes)
            if (v.type() != fits)
                bad << v;
        for (const QJsonValue &v : bad)
            QTest::addRow("%s %d %s", qPrintable(f), v.type(), qPrintable(v.toVariant().toString()))
                << profile(f, v) << f;
    }
    const QByteArray good = profile();
    for (int cut = 1; cut < good.trimmed().size(); cut += 7) // every cut is malformed
        QTest::addRow("cut at %d", cut) << good.left(cut) << "JSON";
    // Odd shapes, and files over the size limit even when the rest is a good profile.
    const QByteArray odd[] = {
        {},
        "[1, 2, 3]",
        QByteArray(64, '\0'),
        "{\"format\": \"\xFF\xFE\"}",
        good + "{}",
        QByteArray(100000, '['),
        QByteArray(good).replace("\"version\": 1", "\"version\": 1, \"version\": 2"),
        QByteArray(good).replace("\"turnOffCode\"", "\"turnOffCode\": \"CA50F3\", \"turnOffCode\""),
        good + QByteArray(Profile::MaxFileSize, ' '),
        profile("turnOffCode", QString(Profile::MaxFileSize, 'A'))};
    for (const QByteArray &c : odd)
        QTest::addRow("odd %d", int(&c - odd)) << c
                                               << (c.size() > Profile::MaxFileSize  ? "1 MiB"
                                                   : c.count("\"version\"") > 1     ? "version"
                                                   : c.count("\"turnOffCode\"") > 1 ? "turnOffCode"
                                                                                    : "");
}

void TestBadProfiles::write()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, mentions);
    QovctlRig r;
    r.prefs.m_values = {{"PROGTYPE", "2"}, {"COMPORT", "1"}};
    r.usbAutomatic = false;
    r.save(content);
    const int code = r.run({QStringLiteral("write"), QStringLiteral("%p")});
    QCOMPARE(code, mentions.isNull() ? 0 : 2);
    if (mentions.isNull())
        return;
    ++g_injected;
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.contains(mentions) && r.err.size() < 400,
             qPrintable(r.err.left(400))); // no echo
    QVERIFY(r.out.isEmpty() && r.board.receivedBytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestBadProfiles)
#include "tst_badprofiles.moc"
