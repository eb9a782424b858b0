// The settings fields and boxes of the main window: typing, clicking, the two
// menu commands, refreshing and dropping codes.
#include "codes/CodeMime.h"
#include "settings/Profile.h"
#include "settings/gui/FileDialogs.h"
#include "settings/gui/SettingsView.h"
#include "support/GuiHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Fixture : GuiHarness
{
    Fixture()
    {
        storeRegular("1", "1");
        load();
        form->show();
    }
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

// Answers Open and Save with one file, and remembers what it was offered.
struct AnsweringDialogs : FileDialogs
{
    QString openFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        offered << caption << folder << filter;
        return answer;
    }
    QString saveFileName(QWidget *p, const QString &c, const QString &f, const QString &l) override
    {
        return openFileName(p, c, f, l);
    }
    QString answer;
    QStringList offered;
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
    // text)|the record after each key|tool tip|the field the range message names when the
    // field is left (none while typing, once however often it is left)|x: marked as not
    // accepted at the end (blank is not a value either, but plainly so: not marked)
    void typing_data()
    {
        // clang-format off
        rows({"4|300|2,29,29||Turn Off|x", "6|0<1|0,0,0|||", "4|30<<|2,29,2,2|||",
            "8|2551|0,0,0,0||ModOn|x", "7|-5|0,0||ModOff|x", "8|1e3|0,0,0||ModOn|x",
            "1|4a55ab|000004,00004A,0004A5,004A55,04A55A,4A55AB|Button: Display||",
            "3|CA5O73|00000C,0000CA,000CA5,000CA5,000CA5,000CA5|Button: Unknown||x",
            "5|1<|000001,000001|Button: Unknown||", "3|12@|000001,000012,CA50F3|Button: 0||",
            "3|12#|000001,000012,000012|Button: Unknown||", "4|12@|0,11,11|||"});
        // clang-format on
    }
    void typing()
    {
        QFETCH(QStringList, c);
        Fixture f;
        QLineEdit *edit = f.text(c[0].toInt());
        edit->clear();
        QApplication::setActiveWindow(f.form.get());
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        edit->setFocus();
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
        QCOMPARE(f.messages.texts(), QStringList());
        for (int leave = 0; leave < 2; ++leave) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Tab);
            QVERIFY(!edit->hasFocus());
        }
        QCOMPARE(f.messages.texts(), messages);
        QCOMPARE(edit->text(), typed); // kept as typed, rejected or not
        QCOMPARE(edit->toolTip(), c[3]);
        QCOMPARE(edit->property("notAccepted").toBool(), c[5] == "x");
    }

    // how|Text1..Text8 and the boxes|Text1's tool tip. Refreshing shows no message: a
    // value the field refuses is marked (Read Values names it as the board's).
    void refresh_data()
    {
        // clang-format off
        rows({"clearUI|000000,000000,000000,1,000000,1,0,0,-,-,-,-|Button: Unknown",
            "loadefaultvaluesmenu|FA52D0,4A55AB,CA50F3,3,CA5A53,3,1000,200,x,x,x,-|Button: Select",
            "odd record|0A51EF,000000,000000,256,000000,1.5,0,0,x,-,-,x|Button: Menu"});
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
            SettingsView *view = f.form->findChild<SettingsView *>();
            view->RefreshUI();
            view->RefreshUI(); // nothing changes the second time, so nothing runs again
        } else {
            f.action(c[0])->trigger();
            if (c[0] == "loadefaultvaluesmenu")
                expected.LoadDefaultVars();
        }
        QCOMPARE(f.s(), expected);
        QCOMPARE(f.fields(','), c[1]);
        QCOMPARE(f.text(1)->toolTip(), c[2]);
        QCOMPARE(f.messages.texts(), QStringList());
        QCOMPARE(f.text(4)->property("notAccepted").toBool(), c[0] == "odd record");
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

    // File > Open and Save with the dialog answered. menu|Text3 before|the file before
    // ('-' none, 'fifo' a FIFO, else the defaults with a replacement)|what the one
    // message names ('-' none)|Text3 after|what the file holds after|the status bar
    // after (other than "Ready": the preferences cannot be stored)
    void files_data()
    {
        // clang-format off
        rows({"savemenu|CA5873|-|-|CA5873|\"turnOffCode\": \"CA5873\"|Ready",
            "savemenu|CA5O73|CA50F3>CA50F3|Nothing was saved,Turn Off Code (\"CA5O73\"|CA5O73|CA50F3|Ready",
            "savemenu|CA5873|fifo|p.json: it is a FIFO (named pipe), not a regular file|CA5873|-|Ready",
            "openmenu|CA5873|CA50F3>4a55ab|-|4A55AB|4a55ab|Ready",
            "openmenu|CA5873|CA50F3>4a55ab|-|4A55AB|4a55ab|Folder not kept: the preferences cannot be saved",
            "openmenu|CA5873|Ms\": 200>Ms\": 205|p.json,modOnPushDelayMs,steps of 10|CA5873|205|Ready",
            // Refused without being opened: the window does not wait for a writer.
            "openmenu|CA5873|fifo|p.json: it is a FIFO (named pipe), not a regular file|CA5873|-|Ready"});
        // clang-format on
    }
    void files()
    {
        QFETCH(QStringList, c);
        QTemporaryDir dir, lastUsed;
        Fixture f;
        AnsweringDialogs dialogs;
        dialogs.answer = dir.filePath("p.json");
        f.form->findChild<SettingsView *>()->setFileDialogs(&dialogs);
        f.store.m_values["LASTPROFILEDIR"] = lastUsed.path();
        auto prefs = f.store.m_values;
        f.action("loadefaultvaluesmenu")->trigger();
        f.text(3)->selectAll();
        QTest::keyClicks(f.text(3), c[1]);
        DeviceSettings defaults;
        defaults.LoadDefaultVars();
        const QStringList edit = c[2].split('>');
        QFile file(dialogs.answer);
        const bool fifo = c[2] == "fifo";
        if (fifo) {
            QVERIFY(::mkfifo(QFile::encodeName(dialogs.answer).constData(), 0600) == 0);
        } else if (c[2] != "-") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Profile::toJson(defaults).replace(edit[0].toUtf8(), edit[1].toUtf8()));
            file.close();
        }
        const QString before = f.fields(',');
        const bool storeFails = c[6] != "Ready";
        f.store.m_problem = storeFails ? "the preferences file cannot be read" : "";

        f.action(c[0])->trigger();
        const QString shown = f.messages.texts().join('\n');
        QCOMPARE(f.messages.texts().size(), int(c[3] != "-"));
        for (const QString &m : c[3].split(','))
            QVERIFY2(m == "-" || shown.contains(m), qPrintable(shown));
        QCOMPARE(f.text(3)->text(), c[4]);
        QVERIFY(shown.isEmpty() || f.fields(',') == before); // refused: nothing changed
        if (!fifo)
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains(c[5].toUtf8()));
        QVERIFY(f.board.receivedBytes().isEmpty()); // nothing reaches the board
        // Asked in the folder last used (the home folder while the preferences cannot be
        // read), which becomes the file's once it was opened or saved; the other keys stay.
        const bool asked = !shown.startsWith("Nothing was saved");
        const QString menu = c[0] == "openmenu" ? "Open" : "Save";
        const QString folder = storeFails ? QDir::homePath() : lastUsed.path();
        QCOMPARE(dialogs.offered.join('|'),
                 asked ? menu + '|' + folder + "|QOV settings profile (*.json)" : "");
        prefs["LASTPROFILEDIR"] = shown.isEmpty() && !storeFails ? dir.path() : lastUsed.path();
        QCOMPARE(f.store.m_values, prefs);
        QCOMPARE(f.form->statusText(), c[6]);
    }

    // A screen reader names each field by its label (the heading's words where the
    // label says only "Code:"); the widest code is not cut by the field's frame.
    void accessibleNames_data() // field|its label|the name
    {
        rows({"8|Label2|Mod On", "7|Label1|Mod Off", "1|Label4|Turn On with Mod Enabled Code",
              "2|Label5|Turn On with Mod Disabled Code", "3|Label6|Turn Off Code",
              "4|Label7|Turn Off No. Btn Presses", "5|Label9|Eject Tray Code",
              "6|Label16|Eject Tray No. Btn Presses"});
    }
    void accessibleNames()
    {
        QFETCH(QStringList, c);
        Fixture f;
        QLineEdit *e = f.text(c[0].toInt());
        QCOMPARE(f.find<QLabel>(c[1])->buddy(), e);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(e);
        QCOMPARE(a ? a->text(QAccessible::Name) : QString(), c[2]);
        // QLineEdit draws inside its frame, 2 pixels in at the sides.
        const int frame
            = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
        QVERIFY(e->fontMetrics().height() <= e->height() - 2 * frame);
        QVERIFY(e->fontMetrics().horizontalAdvance("CA52D3") <= e->width() - 2 * frame - 4);
    }
};

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
