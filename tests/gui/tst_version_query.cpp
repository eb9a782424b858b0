// Tools > QOV Version: every outcome ends with the port closed, status bar and
// board memory untouched; it never starts while another command holds the port,
// and says so in the status bar.
#include "support/GuiHarness.h"

#include <QTest>

class TestVersionQuery : public QObject
{
    Q_OBJECT
private slots:
    void query_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c"); // type|self-powered|greeting|version|other|message
        for (const char *row :
            {"found, serial|1||XOK|2.5||QOV Version: 2.5",
                "no version answer|1||XOK|||Unable to aquire the QOV Firmware Version",
                "another command runs|1||XOK|2.5|busy|"}) {
            QStringList c = QString(row).split('|');
            QTest::newRow(qPrintable(c.takeFirst())) << c;
        }
        // clang-format on
    }
    void query()
    {
        QFETCH(QStringList, c);
        GuiHarness h;
        h.storeRegular(c[0], "4");
        h.store.m_values["ISQOVSELFPOWERED"] = boolToText(!c[1].isEmpty());
        QVERIFY(h.load());
        h.board.setProgrammerType(c[0].toInt());
        h.board.setSelfPowered(!c[1].isEmpty());
        h.board.setGreeting(c[2].toLatin1());
        h.board.setVersionAnswer(c[3].toLatin1());
        h.form->setStatusBarText("untouched");
        const QByteArray memory = h.board.memoryBytes();
        const auto other = c[4] == "busy" ? h.session->link().tryClaim() : std::nullopt;
        h.action("qovversionmenu")->trigger();
        QCOMPARE(h.messages.m_shown.size(), int(!c[5].isEmpty()));
        for (const auto &m : std::as_const(h.messages.m_shown))
            QVERIFY(m.text.startsWith(c[5]) && m.icon == MessageIcon::None);
        QCOMPARE(h.port->openCount() > 0 && !h.port->isOpen(), c[4].isEmpty());
        QVERIFY(!c[4].isEmpty() || h.session->log().lines().last() == "closeComPort: Closing Port");
        QCOMPARE(h.board.receivedBytes().contains("VVVV"), c[5].contains("Version"));
        QCOMPARE(h.form->statusText() + h.board.memoryBytes().toHex(),
                 (c[4] == "busy" ? "Not started: another command is using the port" : "untouched")
                     + memory.toHex()); // refused with a reason; otherwise left alone
        QCOMPARE(h.session->link().isBusy(), other.has_value());
    }
};

QTEST_MAIN(TestVersionQuery)
#include "tst_version_query.moc"
