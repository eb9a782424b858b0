// The settings view on a bare window with the main window's control names:
// typing, clicking, the two menu commands, refreshing and dropping codes.
#include "app/Session.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeLineEdit.h"
#include "settings/gui/SettingsView.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QAction>
#include <QCheckBox>
#include <QMimeData>
#include <QTest>
#include <QVBoxLayout>

namespace {

struct Fixture : TransactionReporter
{
    void setStatusBarText(const QString &) override { }
    void setProgressBar(double, double) override { }
    void resetStatusBar() override { }
    void RefreshUI() override { }

    Fixture()
    {
        auto *layout = new QVBoxLayout(&form);
        for (int i = 1; i <= 4; ++i)
            layout->addWidget(new QCheckBox(QStringLiteral("Flag %1").arg(i), &form));
        for (int i = 1; i <= 8; ++i) {
            const bool code = i == 1 || i == 2 || i == 3 || i == 5;
            layout->addWidget(new CodeLineEdit(
                    code ? CodeLineEdit::Kind::Code : CodeLineEdit::Kind::Number, &form));
            layout->itemAt(layout->count() - 1)
                    ->widget()
                    ->setObjectName(QStringLiteral("Text%1").arg(i));
        }
        for (int i = 1; i <= 4; ++i)
            layout->itemAt(i - 1)->widget()->setObjectName(QStringLiteral("Check%1").arg(i));
        for (const char *name : {"clearUI", "loadefaultvaluesmenu"})
            (new QAction(&form))->setObjectName(QString::fromLatin1(name));
        view = new SettingsView(&form, session, *this);
        form.show();
    }
    QLineEdit *text(int i) const
    {
        return form.findChild<QLineEdit *>(QStringLiteral("Text%1").arg(i));
    }
    QCheckBox *check(int i) const
    {
        return form.findChild<QCheckBox *>(QStringLiteral("Check%1").arg(i));
    }
    void click(int box)
    {
        QTest::mouseClick(check(box), Qt::LeftButton, {}, QPoint(6, check(box)->height() / 2));
    }
    // The record field of Text1..Text8, as the tests state it.
    QString record(int i)
    {
        const DeviceSettings &s = session.settings();
        const IrCode *codes[]
                = {nullptr, &s.turnOnModEnabledCode, &s.turnOnModDisabledCode, &s.turnOffCode,
                   nullptr, &s.ejectTrayCode};
        const double numbers[] = {0,
                                  0,
                                  0,
                                  0,
                                  s.turnOffPresses,
                                  0,
                                  s.ejectTrayPresses,
                                  s.modOffPushDelay,
                                  s.modOnPushDelay};
        return i < 6 && codes[i] ? codes[i]->toText() : QString::number(numbers[i]);
    }

    VirtualClock clock;
    SimBoard board{clock};
    RecordingMessageBoxes messages;
    Session session{std::make_unique<SimulatedPort>(board, clock), clock, messages};
    QWidget form;
    SettingsView *view = nullptr;
};

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void refresh_data();
    void refresh();
    void checkBoxes_data();
    void checkBoxes();
    void drops_data();
    void drops();
};

void TestSettingsView::typing_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("keys"); // '<' is a backspace
    QTest::addColumn<QStringList>("record"); // after each key
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QStringList>("messages");

    const QString turnOff = "Valid values for No. Button Presses for Turn Off are: 1-255";
    const QString eject = "Valid values for No. Button Presses for Eject Tray are: 1-255";
    const QString modOn = "Valid values for ModOn Power Button Push Delay are: 0 to 2550";
    const QString modOff = "Valid values for ModOff Power Button Push Delay are: 0 to 2550";
    QTest::newRow("300 presses") << 4 << "300" << QStringList{"2", "29", "29"} << ""
                                 << QStringList{turnOff};
    QTest::newRow("0 then 1 eject presses")
            << 6 << "0<1" << QStringList{"0", "0", "0"} << "" << QStringList{eject};
    QTest::newRow("1.5 presses") << 4 << "1.5" << QStringList{"0", "0", "0.5"} << ""
                                 << QStringList{};
    QTest::newRow("emptying keeps the last")
            << 4 << "30<<" << QStringList{"2", "29", "2", "2"} << "" << QStringList{};
    QTest::newRow("letters in a count")
            << 6 << "2x" << QStringList{"1", "1"} << "" << QStringList{eject};
    QTest::newRow("205 msec") << 8 << "205" << QStringList{"0.2", "2", "20.5"} << ""
                              << QStringList{};
    QTest::newRow("2551 msec") << 8 << "2551" << QStringList{"0.2", "2.5", "25.5", "25.5"} << ""
                               << QStringList{modOn};
    QTest::newRow("mod off names mod off")
            << 7 << "-5" << QStringList{"0", "0"} << "" << QStringList{modOff, modOff};
    QTest::newRow("code padded while typing")
            << 1 << "4a55ab"
            << QStringList{"000004", "00004A", "0004A5", "004A55", "04A55A", "4A55AB"}
            << "Button: Display" << QStringList{};
    QTest::newRow("unpadded code")
            << 2 << "A51EF" << QStringList{"00000A", "0000A5", "000A51", "00A51E", "0A51EF"}
            << "Button: Unknown" << QStringList{};
    QTest::newRow("not hexadecimal")
            << 3 << "1G" << QStringList{"000001", "000001"} << "Button: Unknown" << QStringList{};
    QTest::newRow("emptied code") << 5 << "1<" << QStringList{"000001", "000000"}
                                  << "Button: Unknown" << QStringList{};
}

void TestSettingsView::typing()
{
    QFETCH(int, field);
    QFETCH(QString, keys);
    QFETCH(QStringList, record);
    QFETCH(QString, toolTip);
    QFETCH(QStringList, messages);

    Fixture f;
    QStringList seen;
    QString typed;
    for (QChar c : keys) {
        if (c == QLatin1Char('<'))
            QTest::keyClick(f.text(field), Qt::Key_Backspace), typed.chop(1);
        else
            QTest::keyClicks(f.text(field), QString(c)), typed.append(c);
        seen << f.record(field);
    }
    QCOMPARE(seen, record);
    QCOMPARE(f.messages.texts(), messages);
    QCOMPARE(f.text(field)->text(), typed); // kept as typed, rejected or not
    QCOMPARE(f.text(field)->toolTip(), toolTip);
}

void TestSettingsView::refresh_data()
{
    QTest::addColumn<QByteArray>("how");
    QTest::addColumn<QStringList>("texts"); // Text1..Text8
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QStringList>("messages"); // after refreshing twice

    QTest::newRow("Clear Values") << QByteArray(
            "clearUI") << QStringList{"000000", "000000", "000000", "1", "000000", "1", "0", "0"}
                                  << "0000" << QStringList{};
    QTest::newRow("Load Default Values")
            << QByteArray("loadefaultvaluesmenu")
            << QStringList{"FA52D0", "4A55AB", "CA50F3", "3", "CA5A53", "3", "1000", "200"}
            << "1110" << QStringList{};
    QTest::newRow("256 presses, half a press")
            << QByteArray("odd record")
            << QStringList{"0A51EF", "000000", "000000", "256", "000000", "1.5", "0", "0"} << "0000"
            << QStringList{"Valid values for No. Button Presses for Turn Off are: 1-255"};
}

void TestSettingsView::refresh()
{
    QFETCH(QByteArray, how);
    QFETCH(QStringList, texts);
    QFETCH(QString, checks);
    QFETCH(QStringList, messages);

    Fixture f;
    QTest::keyClicks(f.text(4), "7"); // edits that the command replaces
    f.click(4);
    DeviceSettings expected;
    if (how == "odd record") {
        f.session.settings() = {};
        f.session.settings().turnOnModEnabledCode.bytes = {0x0A, 0x51, 0xEF};
        f.session.settings().turnOffPresses = 255;
        f.session.settings().ejectTrayPresses = 0.5;
        expected = f.session.settings();
        f.view->RefreshUI();
        f.view->RefreshUI(); // nothing changes the second time, so nothing runs again
    } else {
        f.form.findChild<QAction *>(QString::fromLatin1(how))->trigger();
        if (how == "loadefaultvaluesmenu")
            expected.LoadDefaultVars();
    }
    QCOMPARE(f.session.settings(), expected);
    QStringList shown;
    QString checked;
    for (int i = 1; i <= 8; ++i)
        shown << f.text(i)->text();
    for (int i = 1; i <= 4; ++i)
        checked += f.check(i)->isChecked() ? '1' : '0';
    QCOMPARE(shown, texts);
    QCOMPARE(checked, checks);
    QCOMPARE(f.messages.texts(), messages);
    QCOMPARE(f.text(1)->toolTip(), how == "odd record" ? "Button: Menu"
                                   : how == "clearUI"  ? "Button: Unknown"
                                                       : "Button: Select");
}

void TestSettingsView::checkBoxes_data()
{
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("flag"); // as read from the board
    QTest::addColumn<QList<int>>("record"); // after the refresh, one click, two clicks
    QTest::newRow("2 on an unchecked box becomes 1") << false << 2 << QList<int>{1, 0, 1};
    QTest::newRow("2 on a checked box stays 2") << true << 2 << QList<int>{2, 0, 1};
    QTest::newRow("0") << false << 0 << QList<int>{0, 1, 0};
}

void TestSettingsView::checkBoxes()
{
    QFETCH(bool, checkedBefore);
    QFETCH(int, flag);
    QFETCH(QList<int>, record);

    int DeviceSettings::*const fields[]
            = {&DeviceSettings::allowPowerOn, &DeviceSettings::allowPowerOff,
               &DeviceSettings::allowEjectTray, &DeviceSettings::powerOnByEject};
    for (int i = 1; i <= 4; ++i) {
        Fixture f;
        DeviceSettings &s = f.session.settings();
        if (checkedBefore)
            f.click(i);
        s.*fields[i - 1] = flag;
        f.view->RefreshUI();
        QList<int> seen{s.*fields[i - 1]};
        f.click(i);
        seen << s.*fields[i - 1];
        f.click(i);
        seen << s.*fields[i - 1];
        QCOMPARE(seen, record);
        for (int j = 0; j < 4; ++j) // the boxes are independent
            QVERIFY(j == i - 1 || s.*fields[j] == 0);
    }
}

void TestSettingsView::drops_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text"); // after the drop
    QTest::addColumn<QString>("toolTip");

    const QString ours = QString::fromLatin1(CodeMimeType);
    QTest::newRow("code onto Turn Off") << 3 << ours << "CA50F3"
                                        << "Button: 0";
    QTest::newRow("code onto Eject Tray") << 5 << ours << "CA50F3"
                                          << "Button: 0";
    QTest::newRow("plain text refused") << 3 << "text/plain"
                                        << "12"
                                        << "";
    QTest::newRow("code onto a count refused") << 4 << ours << "12"
                                               << "";
    QTest::newRow("code onto a delay refused") << 8 << ours << "12"
                                               << "";
}

void TestSettingsView::drops()
{
    QFETCH(int, field);
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);

    Fixture f;
    QLineEdit *edit = f.text(field);
    edit->setText("12");
    edit->setToolTip({});
    const QString before = f.record(field);

    QMimeData mime;
    mime.setData(format, "CA50F3");
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &drop);

    const bool accepted = text != "12";
    QCOMPARE(enter.isAccepted(), accepted);
    QCOMPARE(drop.isAccepted(), accepted);
    QCOMPARE(edit->text(), text); // the whole text replaced, or nothing
    QCOMPARE(edit->toolTip(), toolTip);
    QCOMPARE(f.record(field), accepted ? text : before);
}

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
