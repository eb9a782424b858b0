// The settings view on a bare window with the main window's control names:
// typing, clicking, the two menu commands, refreshing and dropping codes.
#include "app/Session.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeLineEdit.h"
#include "settings/gui/SettingsView.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QAction>
#include <QCheckBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

class NullStatusBar : public TransactionReporter
{
public:
    void setStatusBarText(const QString &) override {}
    void setProgressBar(double, double) override {}
    void resetStatusBar() override {}
    void RefreshUI() override {}
};

struct Fixture
{
    Fixture()
    {
        session = std::make_unique<Session>(std::make_unique<SimulatedPort>(board, clock), clock,
                                            messages);
        auto *layout = new QVBoxLayout(&form);
        for (int i = 1; i <= 4; ++i) {
            auto *box = new QCheckBox(QStringLiteral("Flag %1").arg(i), &form);
            box->setObjectName(QStringLiteral("Check%1").arg(i));
            layout->addWidget(box);
        }
        for (int i = 1; i <= 8; ++i) {
            const bool code = i == 1 || i == 2 || i == 3 || i == 5;
            auto *field = new CodeLineEdit(code ? CodeLineEdit::Kind::Code
                                                : CodeLineEdit::Kind::Number, &form);
            field->setObjectName(QStringLiteral("Text%1").arg(i));
            layout->addWidget(field);
        }
        for (const char *name : {"clearUI", "loadefaultvaluesmenu"})
            (new QAction(&form))->setObjectName(QString::fromLatin1(name));
        view = new SettingsView(&form, *session, statusBar);
        form.show();
    }

    QLineEdit *text(const QString &name) const { return form.findChild<QLineEdit *>(name); }
    QCheckBox *check(int i) const
    {
        return form.findChild<QCheckBox *>(QStringLiteral("Check%1").arg(i));
    }
    DeviceSettings &settings() { return session->settings(); }

    // What the record holds for a field, written the way the tests state it.
    QString recordFor(const QString &name)
    {
        const DeviceSettings &s = settings();
        if (name == "Text1") return s.turnOnModEnabledCode.toText();
        if (name == "Text2") return s.turnOnModDisabledCode.toText();
        if (name == "Text3") return s.turnOffCode.toText();
        if (name == "Text5") return s.ejectTrayCode.toText();
        if (name == "Text4") return QString::number(s.turnOffPresses);
        if (name == "Text6") return QString::number(s.ejectTrayPresses);
        if (name == "Text7") return QString::number(s.modOffPushDelay);
        if (name == "Text8") return QString::number(s.modOnPushDelay);
        return {};
    }

    void triggerMenu(const char *name)
    {
        form.findChild<QAction *>(QString::fromLatin1(name))->trigger();
    }

    VirtualClock clock;
    SimBoard board{clock};
    RecordingMessageBoxes messages;
    NullStatusBar statusBar;
    std::unique_ptr<Session> session;
    QWidget form;
    SettingsView *view = nullptr;
};

// A click on the box's indicator, where a person clicks.
void click(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

// "\b" in a typed text is a backspace.
void typeKey(QWidget *w, QChar c)
{
    if (c == QLatin1Char('\b'))
        QTest::keyClick(w, Qt::Key_Backspace);
    else
        QTest::keyClicks(w, QString(c));
}

bool sendDrop(QWidget *target, const QString &format, const QByteArray &payload)
{
    QMimeData mime;
    mime.setData(format, payload);
    const QPointF at(5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void codeToolTips_data();
    void codeToolTips();
    void menuCommands_data();
    void menuCommands();
    void refreshRunsOnlyRealChanges_data();
    void refreshRunsOnlyRealChanges();
    void checkBoxes_data();
    void checkBoxes();
    void drops_data();
    void drops();
};

void TestSettingsView::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("record"); // after each key
    QTest::addColumn<QStringList>("messages");

    const QString turnOff = "Valid values for No. Button Presses for Turn Off are: 1-255";
    const QString eject = "Valid values for No. Button Presses for Eject Tray are: 1-255";
    const QString modOn = "Valid values for ModOn Power Button Push Delay are: 0 to 2550";
    const QString modOff = "Valid values for ModOff Power Button Push Delay are: 0 to 2550";

    QTest::newRow("300 presses") << "Text4" << "300" << QStringList{"2", "29", "29"}
                                 << QStringList{turnOff};
    QTest::newRow("256 eject presses") << "Text6" << "256" << QStringList{"1", "24", "24"}
                                       << QStringList{eject};
    QTest::newRow("1.5 presses") << "Text4" << "1.5" << QStringList{"0", "0", "0.5"}
                                 << QStringList{};
    QTest::newRow("0 presses then 1") << "Text6" << "0\b1" << QStringList{"0", "0", "0"}
                                      << QStringList{eject};
    QTest::newRow("emptying keeps the last") << "Text4" << "30\b\b" << QStringList{"2", "29", "2", "2"}
                                             << QStringList{};
    QTest::newRow("205 msec") << "Text8" << "205" << QStringList{"0.2", "2", "20.5"}
                              << QStringList{};
    QTest::newRow("2551 msec") << "Text8" << "2551" << QStringList{"0.2", "2.5", "25.5", "25.5"}
                               << QStringList{modOn};
    QTest::newRow("mod off names mod off") << "Text7" << "3000"
                                           << QStringList{"0.3", "3", "30", "30"}
                                           << QStringList{modOff};
    QTest::newRow("negative delay") << "Text7" << "-5" << QStringList{"0", "0"}
                                    << QStringList{modOff, modOff};
    QTest::newRow("letters in a count") << "Text4" << "2x" << QStringList{"1", "1"}
                                        << QStringList{turnOff};
    QTest::newRow("code padded while typing") << "Text1" << "4A5"
                                              << QStringList{"000004", "00004A", "0004A5"}
                                              << QStringList{};
    QTest::newRow("code not hexadecimal") << "Text2" << "1G" << QStringList{"000001", "000001"}
                                          << QStringList{};
    QTest::newRow("code seven digits") << "Text5" << "1234567"
                                       << QStringList{"000001", "000012", "000123", "001234",
                                                      "012345", "123456", "123467"}
                                       << QStringList{};
}

void TestSettingsView::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QStringList, record);
    QFETCH(QStringList, messages);

    Fixture f;
    QLineEdit *edit = f.text(field);
    QStringList seen;
    for (QChar c : keys) {
        typeKey(edit, c);
        seen << f.recordFor(field);
    }
    QCOMPARE(seen, record);
    QCOMPARE(f.messages.texts(), messages);
    for (const auto &shown : f.messages.m_shown) {
        QCOMPARE(shown.icon, MessageIcon::None);
        QVERIFY(shown.title.isEmpty()); // the application's title
    }
    // The field keeps what was typed, rejected or not.
    QString expectedText;
    for (QChar c : keys) {
        if (c == QLatin1Char('\b'))
            expectedText.chop(1);
        else
            expectedText.append(c);
    }
    QCOMPARE(edit->text(), expectedText);
}

void TestSettingsView::codeToolTips_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("lower case named") << "Text1" << "4a55ab" << "4A55AB" << "Button: Display";
    QTest::newRow("unpadded not named") << "Text2" << "A51EF" << "0A51EF" << "Button: Unknown";
    QTest::newRow("zero button") << "Text3" << "ca50f3" << "CA50F3" << "Button: 0";
    QTest::newRow("garbage") << "Text5" << "zz" << "000000" << "Button: Unknown";
}

void TestSettingsView::codeToolTips()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, toolTip);

    Fixture f;
    QLineEdit *edit = f.text(field);
    QVERIFY(edit->toolTip().isEmpty()); // nothing before the first change
    QTest::keyClicks(edit, typed);
    QCOMPARE(f.recordFor(field), stored);
    QCOMPARE(edit->toolTip(), toolTip);
    QCOMPARE(edit->text(), typed);
    // Emptying a code field stores zeros.
    edit->clear();
    QCOMPARE(f.recordFor(field), QStringLiteral("000000"));
    QCOMPARE(edit->toolTip(), QStringLiteral("Button: Unknown"));
    QVERIFY(f.messages.texts().isEmpty());
}

void TestSettingsView::menuCommands_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QStringList>("texts"); // Text1..Text8
    QTest::addColumn<QList<bool>>("checks");

    QTest::newRow("Clear Values")
        << QByteArray("clearUI")
        << QStringList{"000000", "000000", "000000", "1", "000000", "1", "0", "0"}
        << QList<bool>{false, false, false, false};
    QTest::newRow("Load Default Values")
        << QByteArray("loadefaultvaluesmenu")
        << QStringList{"FA52D0", "4A55AB", "CA50F3", "3", "CA5A53", "3", "1000", "200"}
        << QList<bool>{true, true, true, false};
}

void TestSettingsView::menuCommands()
{
    QFETCH(QByteArray, action);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, checks);

    Fixture f;
    // Something edited beforehand, which the command replaces.
    QTest::keyClicks(f.text("Text4"), "7");
    click(f.check(4));
    f.triggerMenu(action.constData());

    DeviceSettings expected;
    if (action == "loadefaultvaluesmenu")
        expected.LoadDefaultVars();
    QCOMPARE(f.settings(), expected);
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(f.text(QStringLiteral("Text%1").arg(i))->text(), texts[i - 1]);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(f.check(i)->isChecked(), checks[i - 1]);
    QVERIFY(f.messages.texts().isEmpty());
    QCOMPARE(f.text("Text2")->toolTip(),
             action == "clearUI" ? QStringLiteral("Button: Unknown")
                                 : QStringLiteral("Button: Display"));
}

void TestSettingsView::refreshRunsOnlyRealChanges_data()
{
    QTest::addColumn<double>("presses"); // turnOffPresses in the record
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("messages"); // after two refreshes

    QTest::newRow("256 presses refused once") << 255.0 << "256" << 255.0 << 1;
    QTest::newRow("half a press") << 0.5 << "1.5" << 0.5 << 0;
    QTest::newRow("255 presses") << 254.0 << "255" << 254.0 << 0;
}

void TestSettingsView::refreshRunsOnlyRealChanges()
{
    QFETCH(double, presses);
    QFETCH(QString, shown);
    QFETCH(double, kept);
    QFETCH(int, messages);

    Fixture f;
    f.settings().turnOffPresses = presses;
    f.view->RefreshUI();
    f.view->RefreshUI(); // nothing changes the second time, so nothing runs
    QCOMPARE(f.text("Text4")->text(), shown);
    QCOMPARE(f.settings().turnOffPresses, kept);
    QCOMPARE(f.messages.texts().size(), messages);
}

void TestSettingsView::checkBoxes_data()
{
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("flag"); // as read from the board
    QTest::addColumn<QList<int>>("record"); // after the refresh, one click, two clicks

    QTest::newRow("2 on an unchecked box becomes 1") << false << 2 << QList<int>{1, 0, 1};
    QTest::newRow("2 on a checked box stays 2") << true << 2 << QList<int>{2, 0, 1};
    QTest::newRow("0") << false << 0 << QList<int>{0, 1, 0};
    QTest::newRow("1 on a checked box") << true << 1 << QList<int>{1, 0, 1};
}

void TestSettingsView::checkBoxes()
{
    QFETCH(bool, checkedBefore);
    QFETCH(int, flag);
    QFETCH(QList<int>, record);

    int DeviceSettings::*const fields[] = {&DeviceSettings::allowPowerOn,
                                           &DeviceSettings::allowPowerOff,
                                           &DeviceSettings::allowEjectTray,
                                           &DeviceSettings::powerOnByEject};
    for (int i = 1; i <= 4; ++i) {
        Fixture f;
        if (checkedBefore)
            click(f.check(i));
        f.settings().*fields[i - 1] = flag;
        f.view->RefreshUI();
        QCOMPARE(f.check(i)->isChecked(), flag != 0);
        QList<int> seen{f.settings().*fields[i - 1]};
        click(f.check(i));
        seen << f.settings().*fields[i - 1];
        click(f.check(i));
        seen << f.settings().*fields[i - 1];
        QCOMPARE(seen, record);
        // The boxes are independent.
        for (int j = 1; j <= 4; ++j)
            if (j != i)
                QCOMPARE(f.settings().*fields[j - 1], 0);
    }
}

void TestSettingsView::drops_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");

    const QString ours = QString::fromLatin1(CodeMimeType);
    QTest::newRow("code onto Turn Off") << "Text3" << ours << true << "CA50F3" << "Button: 0";
    QTest::newRow("code onto Eject Tray") << "Text5" << ours << true << "FA52D0"
                                          << "Button: Select";
    QTest::newRow("plain text refused") << "Text3" << "text/plain" << false << "12" << "";
    QTest::newRow("code onto a count refused") << "Text4" << ours << false << "12" << "";
    QTest::newRow("code onto a delay refused") << "Text8" << ours << false << "12" << "";
}

void TestSettingsView::drops()
{
    QFETCH(QString, field);
    QFETCH(QString, format);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);

    Fixture f;
    QLineEdit *edit = f.text(field);
    edit->setText("12");
    const QString recordBefore = f.recordFor(field);
    edit->setToolTip(QString());

    const QByteArray payload = field == "Text5" ? "FA52D0" : "CA50F3";
    QCOMPARE(sendDrop(edit, format, payload), accepted);
    QCOMPARE(edit->text(), text); // the whole text replaced, or nothing
    QCOMPARE(edit->toolTip(), toolTip);
    QCOMPARE(f.recordFor(field), accepted ? text : recordBefore);
}

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
