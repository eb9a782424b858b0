// The settings fields and boxes of the main window: typing, clicking, the two
// menu commands, refreshing and dropping codes.
#include "codes/CodeMime.h"
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

namespace {

struct Fixture : GuiHarness
{
    Fixture()
    {
        storeRegular("1", "1");
        load();
        form->show();
    }
    QLineEdit *text(int i) const { return find<QLineEdit>(QString("Text%1").arg(i)); }
    QCheckBox *check(int i) const { return find<QCheckBox>(QString("Check%1").arg(i)); }
    void click(int i)
    {
        QTest::mouseClick(check(i), Qt::LeftButton, {}, QPoint(6, check(i)->height() / 2));
    }
    DeviceSettings &s() const { return session->settings(); }
    QString record(int i) const // the record field behind Text<i>
    {
        const auto n = [](double v) { return QString::number(v); };
        return QStringList{s().turnOnModEnabledCode.toText(),
                           s().turnOnModDisabledCode.toText(),
                           s().turnOffCode.toText(),
                           n(s().turnOffPresses),
                           s().ejectTrayCode.toText(),
                           n(s().ejectTrayPresses),
                           n(s().modOffPushDelay),
                           n(s().modOnPushDelay)}[i - 1];
    }
};

// Rows are '|'-separated, lists in them ','-separated.
void rows(std::initializer_list<const char *> rows)
{
    QTest::addColumn<QStringList>("c");
    for (const char *row : rows)
        QTest::newRow(row) << QString(row).split('|');
}

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT
private slots:
    // field|keys ('<' a backspace, '@' a drop of code CA50F3 as our MIME type, '#' as plain
    // text)|the record after each key|tool tip|the fields the messages name
    void typing_data()
    {
        // clang-format off
        rows({"4|300|2,29,29||Turn Off", "6|0<1|0,0,0||Eject Tray", "4|1.5|0,0,0.5||",
            "4|30<<|2,29,2,2||", "6|2x|1,1||Eject Tray", "8|205|0.2,2,20.5||",
            "8|2551|0.2,2.5,25.5,25.5||ModOn", "7|-5|0,0||ModOff,ModOff",
            "1|4a55ab|000004,00004A,0004A5,004A55,04A55A,4A55AB|Button: Display|",
            "3|1G|000001,000001|Button: Unknown|", "5|1<|000001,000000|Button: Unknown|",
            "3|12@|000001,000012,CA50F3|Button: 0|", "5|12@|000001,000012,CA50F3|Button: 0|",
            "3|12#|000001,000012,000012|Button: Unknown|", "4|12@|0,11,11||",
            "8|12@|0.1,1.2,1.2||"});
        // clang-format on
    }
    void typing()
    {
        QFETCH(QStringList, c);
        Fixture f;
        QLineEdit *edit = f.text(c[0].toInt());
        edit->clear();
        QStringList seen, messages;
        QString typed;
        for (QChar key : c[1]) {
            if (key == '@' || key == '#') {
                QMimeData mime;
                mime.setData(key == '@' ? CodeMimeType : "text/plain", "CA50F3");
                QDragEnterEvent enter({5, 5}, Qt::CopyAction, &mime, Qt::LeftButton, {});
                QCoreApplication::sendEvent(edit, &enter);
                QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
                QCoreApplication::sendEvent(edit, &drop);
                QCOMPARE(enter.isAccepted(), drop.isAccepted());
                typed = drop.isAccepted() ? "CA50F3" : typed; // the whole text, or nothing
            } else {
                key == '<' ? QTest::keyClick(edit, Qt::Key_Backspace) : QTest::keyClicks(edit, key);
                key == '<' ? typed.chop(1) : void(typed.append(key));
            }
            seen << f.record(c[0].toInt());
        }
        for (const QString &m : c[4].split(',', Qt::SkipEmptyParts))
            messages << "Valid values for "
                            + (m.startsWith("Mod") ? m + " Power Button Push Delay are: 0 to 2550"
                                                   : "No. Button Presses for " + m + " are: 1-255");
        QCOMPARE(seen.join(','), c[2]);
        QCOMPARE(f.messages.texts(), messages);
        QCOMPARE(edit->text(), typed); // kept as typed, rejected or not
        QCOMPARE(edit->toolTip(), c[3]);
    }

    // how|Text1..Text8 and the boxes|Text1's tool tip|message after refreshing twice
    void refresh_data()
    {
        // clang-format off
        rows({"clearUI|000000,000000,000000,1,000000,1,0,0,-,-,-,-|Button: Unknown|",
            "loadefaultvaluesmenu|FA52D0,4A55AB,CA50F3,3,CA5A53,3,1000,200,x,x,x,-|Button: Select|",
            "odd record|0A51EF,000000,000000,256,000000,1.5,0,0,x,-,-,x|Button: Menu|No. Button "
            "Presses for Turn Off are: 1-255"});
        // clang-format on
    }
    void refresh()
    {
        QFETCH(QStringList, c);
        Fixture f;
        QTest::keyClicks(f.text(4), "7"); // edits that the command replaces
        f.click(4);
        f.messages.clear();
        DeviceSettings expected;
        if (c[0] == "odd record") {
            f.s() = {};
            f.s().turnOnModEnabledCode.bytes = {0x0A, 0x51, 0xEF};
            f.s().turnOffPresses = 255;
            f.s().ejectTrayPresses = 0.5;
            f.s().allowPowerOn = f.s().powerOnByEject = 2; // an unchecked box and a checked one
            expected = f.s();
            expected.allowPowerOn = 1; // only the box that changed ran its handling
            f.form->RefreshUI();
            f.form->RefreshUI(); // nothing changes the second time, so nothing runs again
        } else {
            f.action(c[0])->trigger();
            if (c[0] == "loadefaultvaluesmenu")
                expected.LoadDefaultVars();
        }
        QCOMPARE(f.s(), expected);
        QStringList shown;
        for (int i = 1; i <= 12; ++i)
            shown << (i <= 8 ? f.text(i)->text() : f.check(i - 8)->isChecked() ? "x" : "-");
        QCOMPARE(shown.join(','), c[1]);
        QCOMPARE(f.text(1)->toolTip(), c[2]);
        QCOMPARE(f.messages.texts().join(""), c[3].isEmpty() ? "" : "Valid values for " + c[3]);
        int DeviceSettings::*const flags[]
            = {&DeviceSettings::allowPowerOn, &DeviceSettings::allowPowerOff,
               &DeviceSettings::allowEjectTray, &DeviceSettings::powerOnByEject};
        for (int click = 0; click < 8; ++click) { // each box twice; it changes its flag only
            DeviceSettings before = f.s();
            before.*flags[click / 2] = f.check(click / 2 + 1)->isChecked() ? 0 : 1;
            f.click(click / 2 + 1);
            QCOMPARE(f.s(), before);
        }
    }
};

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
