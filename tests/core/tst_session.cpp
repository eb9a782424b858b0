// The session asks the host it was given, never the real one behind it, why a port
// did not open.
#include "session/Session.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedPort.h"

#include <QTest>
#include <cerrno>

namespace {

// A host with no device nodes at all and nobody holding a port.
struct EmptyHost : SystemView
{
    bool checksDevices() const override { return true; }
    QList<SerialPortEntry> serialPorts() override { return {}; }
    QList<UsbDeviceEntry> usbDevices() override { return {}; }
    NodeKind nodeKind(const QString &) override { return NodeKind::Missing; }
    bool canReadAndWrite(const QString &) override { return false; }
    QString ownerGroup(const QString &) override { return {}; }
    bool groupCanReadAndWrite(const QString &) override { return false; }
    Membership membership(const QString &) override { return Membership::NotAMember; }
    QString programmerRulePath() override { return {}; }
    QString sourceRulePath() override { return {}; }
    QList<PortHolder> holders(const QString &) override { return {}; }
    bool seesAllProcesses() override { return true; }
    bool isRunning(const QString &) override { return false; }
};

} // namespace

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    void openFailureAdvice_data()
    {
        QTest::addColumn<bool>("madeUpHost");
        QTest::addColumn<QString>("reason"); // the message's last line
        QTest::newRow("no host given: the port's own words") << false << "Permission denied";
        QTest::newRow("a made-up host: its judgement")
            << true << "The device /dev/ttyS3 is not there";
    }
    void openFailureAdvice()
    {
        QFETCH(bool, madeUpHost);
        VirtualClock clock;
        RecordingMessageBoxes messages;
        auto scripted = std::make_unique<ScriptedPort>(clock);
        PortError refused{PortErrorCode::HardwareNotAvailable, QStringLiteral("Permission denied")};
        refused.device = QStringLiteral("/dev/ttyS3");
        refused.systemError = EACCES;
        scripted->failNth(ScriptedPort::Op::Open, refused);
        ScriptedPort &port = *scripted;
        Session session(std::move(scripted), clock, messages,
                        madeUpHost ? std::make_unique<EmptyHost>() : nullptr);
        session.prefs().programmerType = SerialProgrammer;
        session.prefs().comPort = QStringLiteral("3");
        session.applyToPort();
        QVERIFY(!session.link().openComPort(port).opened);
        QCOMPARE(messages.texts().size(), 1);
        const QString shown = messages.texts().first();
        QFETCH(QString, reason);
        QVERIFY2(shown.section(QStringLiteral("\r\n"), -1).startsWith(reason), qPrintable(shown));
        QCOMPARE(session.otherHolders(QStringLiteral("/dev/ttyS3")), QString());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
