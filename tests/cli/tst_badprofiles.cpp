// qovctl write with damaged profiles: every field with every wrong type and
// out-of-range value, every truncation of a good profile, odd encodings and
// files over the size limit. Each one is refused with exit 2 and one line naming
// the problem, and the board receives not a single byte.
#include "app/PreferenceStore.h"
#include "cli/Qovctl.h"
#include "settings/Profile.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

int g_injected = 0;

QByteArray goodProfile()
{
    DeviceSettings s;
    s.LoadDefaultVars();
    return Profile::toJson(s);
}

QByteArray withField(const QString &field, const QJsonValue &value)
{
    QJsonObject o = QJsonDocument::fromJson(goodProfile()).object();
    o.insert(field, value);
    return QJsonDocument(o).toJson();
}

QByteArray withoutField(const QString &field)
{
    QJsonObject o = QJsonDocument::fromJson(goodProfile()).object();
    o.remove(field);
    return QJsonDocument(o).toJson();
}

} // namespace

class TestBadProfiles : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase() { qInfo("injected and survived: damaged profiles %d", g_injected); }
    void refused_data();
    void refused();
    void goodProfileStillWorks();
};

void TestBadProfiles::refused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("mentions"); // in the one line of the message

    const QStringList flags = {"allowPowerOn", "allowPowerOff", "allowEjectTray", "powerOnByEject"};
    const QStringList codes
        = {"turnOnModEnabledCode", "turnOnModDisabledCode", "turnOffCode", "ejectTrayCode"};
    const QStringList delays = {"modOnPushDelayMs", "modOffPushDelayMs"};
    const QStringList presses = {"turnOffPresses", "ejectTrayPresses"};
    const QList<QPair<const char *, QJsonValue>> wrongTypes
        = {{"null", QJsonValue()}, {"array", QJsonArray {1}}, {"object", QJsonObject {{"a", 1}}},
            {"text", QStringLiteral("12")}, {"number", 1}, {"boolean", true}};

    for (const QString &f : flags + codes + delays + presses) {
        for (const auto &[kind, value] : wrongTypes) {
            const bool fits = (flags.contains(f) && value.isBool())
                || (codes.contains(f) && value.isString()) // see the code rows
                || ((delays.contains(f) || presses.contains(f)) && value.isDouble());
            if (fits)
                continue;
            QTest::addRow("%s as %s", qPrintable(f), kind) << withField(f, value) << f;
        }
        QTest::addRow("%s missing", qPrintable(f)) << withoutField(f) << f;
    }
    for (const QString &f : delays) {
        for (double v : {-1.0, -0.6, 2550.6, 2551.0, 1e9, 1e308})
            QTest::addRow("%s %g", qPrintable(f), v) << withField(f, v) << f;
    }
    for (const QString &f : presses) {
        for (double v : {0.0, 0.5, -1.0, 255.6, 256.0, 1e12})
            QTest::addRow("%s %g", qPrintable(f), v) << withField(f, v) << f;
    }
    for (const QString &f : codes) {
        for (const char *v :
            {"", "GGGGGG", "12 456", "-12345", "1234567890", "0x1234", "\xC3\xA9\xC3\xA9\xC3\xA9"})
            QTest::addRow("%s \"%s\"", qPrintable(f), v) << withField(f, QString::fromUtf8(v)) << f;
    }

    // Every cut of a good profile is malformed.
    const QByteArray good = goodProfile();
    for (int cut = 1; cut < good.trimmed().size(); cut += 7)
        QTest::addRow("cut at %d", cut) << good.left(cut) << "JSON";
    QTest::newRow("empty file") << QByteArray() << "JSON";
    QTest::newRow("a list") << QByteArray("[1, 2, 3]") << "";
    QTest::newRow("nul bytes") << QByteArray(64, '\0') << "";
    QTest::newRow("not UTF-8") << QByteArray("{\"format\": \"\xFF\xFE\"}") << "";
    QTest::newRow("duplicate field")
        << QByteArray(good).replace("\"version\": 1", "\"version\": 1, \"version\": 2")
        << "version";
    QTest::newRow("trailing text") << good + "{}"
                                   << "";
    QTest::newRow("deep nesting") << QByteArray(100000, '[') << "";
    // Over the limit, even when the rest is a good profile.
    QTest::newRow("padded past 1 MiB") << good + QByteArray(Profile::MaxFileSize, ' ') << "1 MiB";
    QTest::newRow("huge string") << withField("turnOffCode", QString(Profile::MaxFileSize, 'A'))
                                 << "1 MiB";
}

void TestBadProfiles::refused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, mentions);

    VirtualClock clock;
    SimBoard board {clock};
    MemoryPreferenceStore prefs;
    prefs.m_values = {{"PROGTYPE", "2"}, {"COMPORT", "1"}};
    int portsMade = 0;
    QovctlEnvironment env;
    env.clock = &clock;
    env.preferences = &prefs;
    env.makePort = [&](const PortChoice &) -> std::unique_ptr<ProgrammerPort> {
        ++portsMade;
        return std::make_unique<SimulatedPort>(board, clock);
    };
    env.usbAutomaticAvailable = [] { return false; };

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("profile.json"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runQovctl({QStringLiteral("write"), path}, o, e, env);
    ++g_injected;
    QCOMPARE(code, 2);
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY2(err.contains(mentions), qPrintable(err));
    QVERIFY2(err.size() < 400, qPrintable(err.left(400))); // names the problem, does not echo it
    QVERIFY(out.isEmpty());
    QCOMPARE(portsMade, 0);
    QVERIFY(board.receivedBytes().isEmpty());
}

void TestBadProfiles::goodProfileStillWorks()
{
    // The rows above differ from this one in a single field: it must pass.
    VirtualClock clock;
    SimBoard board {clock};
    MemoryPreferenceStore prefs;
    prefs.m_values = {{"PROGTYPE", "2"}, {"COMPORT", "1"}};
    QovctlEnvironment env;
    env.clock = &clock;
    env.preferences = &prefs;
    env.makePort = [&](const PortChoice &) -> std::unique_ptr<ProgrammerPort> {
        return std::make_unique<SimulatedPort>(board, clock);
    };
    env.usbAutomaticAvailable = [] { return false; };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("profile.json"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QJsonDocument::fromJson(goodProfile()).toJson());
    f.close();
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(runQovctl({QStringLiteral("write"), path}, o, e, env), 0);
}

QTEST_GUILESS_MAIN(TestBadProfiles)
#include "tst_badprofiles.moc"
