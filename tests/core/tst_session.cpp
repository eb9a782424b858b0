// The session asks the host it was given, never the real one behind it, why a port
// did not open; so does the doctor.
#include "diagnose/Doctor.h"
#include "session/Session.h"
#include "support/FakeSystemView.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedPort.h"

#include <QTest>
#include <cerrno>

class TestSession : public QObject
{
    Q_OBJECT
private slots:
    // The link only hands the failure on; who says it judges it from the host it has.
    void openFailureAdvice_data()
    {
        QTest::addColumn<bool>("madeUpHost");
        QTest::addColumn<QString>("road"); // "link" (a command's connect step too), "doctor"
        QTest::addColumn<QString>("reason");
        QTest::newRow("no host given: the port's own words") << false << "link"
                                                             << "Permission denied";
        QTest::newRow("a made-up host: its judgement") << true << "link"
                                                       << "The device /dev/ttyS3 is not there";
        QTest::newRow("the doctor judges from the host it checks")
            << true << "doctor"
            << "The device /dev/ttyS3 is not there";
        QTest::newRow("a doctor given no host: the port's own words") << false << "doctor"
                                                                      << "Permission denied";
    }
    void openFailureAdvice()
    {
        QFETCH(bool, madeUpHost);
        QFETCH(QString, road);
        QFETCH(QString, reason);
        VirtualClock clock;
        RecordingMessageBoxes messages;
        auto scripted = std::make_unique<ScriptedPort>(clock);
        PortError refused{PortErrorCode::HardwareNotAvailable, QStringLiteral("Permission denied")};
        refused.device = QStringLiteral("/dev/ttyS3");
        refused.systemError = EACCES;
        scripted->failNth(ScriptedPort::Op::Open, refused);
        ScriptedPort &port = *scripted;
        EmptyHost doctorsHost;
        Session session(std::move(scripted), clock, messages,
                        madeUpHost && road != QLatin1String("doctor")
                            ? std::make_unique<EmptyHost>()
                            : nullptr);
        session.prefs().programmerType = SerialProgrammer;
        session.prefs().comPort = QStringLiteral("3");
        session.applyToPort();
        QString said;
        if (road == QLatin1String("doctor")) {
            said = Doctor::probeBoard(session.link(), port, madeUpHost ? &doctorsHost : nullptr)
                       .openFailure;
            QVERIFY(messages.texts().isEmpty());
        } else {
            QVERIFY(!session.link().openComPort(port).opened);
            QCOMPARE(messages.texts().size(), 1);
            said = messages.texts().first();
        }
        QVERIFY2(said.startsWith(QLatin1String("Unable to open COM 3")), qPrintable(said));
        QVERIFY2(said.contains(reason), qPrintable(said));
        QCOMPARE(session.otherHolders(QStringLiteral("/dev/ttyS3")), QString());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
