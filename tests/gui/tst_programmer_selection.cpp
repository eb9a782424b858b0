// The Settings menu commands (programmer type, COM port, USB discovery, power options):
// check marks, programmer line, stored texts and line states after every command.
#include "support/FixedUsbPortFinder.h"
#include "support/GuiHarness.h"

#include <QAbstractButton>

#include <QLabel>
#include <QTest>

class TestProgrammerSelection : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        // clang-format off
        // stored type (COM 3)|USB automatic|command|index, then the type, line, stored port,
        // port number and checked port after it; "open-port": the port is open; "found-read",
        // "found-enable": Read Values or Debug Tools > Enable COM, discovery finding COM index
        QTest::addColumn<QStringList>("c");
        for (const char *row : {"1||port|5|1|Serial - COM5|5|5|5",
                 "1||type|2|2|USB Manual - COM3|3|3|3", "1|y|type|2|2|USB Auto|3|3|3",
                 "1||type|1|1|Serial - COM3|3|3|3", "2||port|21|2|USB Manual - COM21|21|21|21",
                 "2|y|type|1|1|Serial - COM3|3|3|", "2|y|type|2|2|USB Auto|3|3|",
                 "1||open-port|9|1|Serial - COM9|9|3|9", "2|y|found-read|7|2|USB Auto|7|7|",
                 "2|y|found-enable|9|2|USB Auto|9|9|"})
            QTest::newRow(row) << QString(row).split('|');
        // clang-format on
    }
    void commands()
    {
        QFETCH(QStringList, c);
        GuiHarness h(!c[1].isEmpty());
        h.storeRegular(c[0], "3");
        QVERIFY(h.load());
        const int saves = h.store.m_saves, index = c[3].toInt();
        FixedUsbPortFinder finder(index);
        h.session->link().setUsbPortFinder(&finder);
        if (c[2] == "found-read") {
            h.find<QAbstractButton>("Command1")->click();
        } else if (c[2] == "found-enable") {
            h.action("dbgMnuEnableCom")->trigger();
        } else if (c[2] == "type") {
            h.form->progTypeMenu(index)->trigger();
        } else {
            QVERIFY(c[2] == "port" || h.port->setOpen(true));
            QVERIFY(h.action("comportsub")->isEnabled());
            h.form->setComPort(index)->trigger();
        }
        const int type = h.session->prefs().programmerType;
        QCOMPARE((QStringList{h.stored("PROGTYPE"), QString::number(type),
                              h.find<QLabel>("progtypeText")->text(), h.stored("COMPORT"),
                              QString::number(h.port->portNumber())}),
                 QStringList{c[4]} + c.mid(4, 4));
        QVERIFY(h.form->progTypeMenu(type)->isChecked()
                && !h.form->progTypeMenu(3 - type)->isChecked());
        QCOMPARE(h.action("comportsub")->isEnabled(), c[5] != "USB Auto");
        QCOMPARE(h.checkedComPorts(), c[8].isEmpty() ? QList<int>{} : QList<int>{c[8].toInt()});
        QVERIFY(h.store.m_saves > saves && h.messages.m_shown.isEmpty());
        QCOMPARE(h.port->rts(), type == 1); // no power option: serial powers with RTS on, USB off
    }

    void powerOptions_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("c"); // type|self-powered|forced power|RTS after both
        for (const char *row : {"1||y|y", "1|y|y|y", "1|y||", "2||y|", "2|y|y|", "2|y||y"})
            QTest::newRow(row) << QString(row).split('|');
        // clang-format on
    }
    void powerOptions()
    {
        QFETCH(QStringList, c);
        const bool selfPowered = !c[1].isEmpty(), force = !c[2].isEmpty(), rts = !c[3].isEmpty();
        GuiHarness h;
        h.storeRegular(c[0], "2");
        QVERIFY(h.load());
        QAction *self = h.action("qovselfpowered"), *forced = h.action("alwayspowerqovfrompc");
        for (const bool on : {true, false, true}) { // on, off again, on again
            if (selfPowered)
                self->trigger();
            if (force)
                forced->trigger();
            const QStringList state{boolToText(self->isChecked()), h.stored("ISQOVSELFPOWERED"),
                                    boolToText(h.session->prefs().isQOVSelfPowered),
                                    boolToText(forced->isChecked()), h.stored("FORCEPOWER")};
            const QString s = boolToText(selfPowered && on), f = boolToText(force && on);
            QCOMPARE(state, QStringList({s, s, s, f, f}));
            QCOMPARE(h.port->rts(), on ? rts : c[0] == "1");
        }
        // The type already checked: nothing visible changes, the lines are driven again.
        h.port->setRts(!rts);
        h.form->progTypeMenu(c[0].toInt())->trigger();
        QVERIFY(h.form->progTypeMenu(c[0].toInt())->isChecked() && h.port->rts() == rts
                && h.port->dtr() == (c[0] == "2"));
        GuiHarness again; // the next start restores marks and lines
        again.store.m_values = h.store.m_values;
        QVERIFY(again.load());
        QCOMPARE(
            (QList<bool>{again.action("qovselfpowered")->isChecked(),
                         again.action("alwayspowerqovfrompc")->isChecked(), again.port->rts()}),
            (QList<bool>{selfPowered, force, rts}));
    }
};

QTEST_MAIN(TestProgrammerSelection)
#include "tst_programmer_selection.moc"
