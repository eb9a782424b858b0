// The settings fields and boxes of the main window: typing, clicking, the two
// menu commands, refreshing and dropping codes.
#include "codes/CodeMime.h"
#include "settings/Profile.h"
#include "settings/gui/FileDialogs.h"
#include "settings/gui/SettingsView.h"
#include "support/GuiHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Fixture : GuiHarness
{
    Fixture() { startShown(QStringLiteral("1")); }
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

// Answers each dialog or message box as it opens, once, from the event loop (not
// from inside the show, nor from inside another answer that opened it).
class DialogAnswers : public QObject
{
public:
    explicit DialogAnswers(std::function<void(QWidget *)> answer) : m_answer(std::move(answer))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~DialogAnswers() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow()
            && (qobject_cast<QMessageBox *>(w) || qobject_cast<QFileDialog *>(w)))
            QMetaObject::invokeMethod(
                this,
                [this, dialog = QPointer<QWidget>(w)] {
                    if (dialog && dialog->isVisible())
                        m_answer(dialog);
                },
                Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void(QWidget *)> m_answer;
};

// Refreshes the view after edits the refresh replaces; returns the record expected.
DeviceSettings refreshed(Fixture &f, const QString &how)
{
    QTest::keyClicks(f.text(4), "7");
    f.click(4);
    f.messages.clear();
    DeviceSettings expected;
    if (how == "odd record") {
        f.s() = {};
        f.s().turnOnModEnabledCode.bytes = {0x0A, 0x51, 0xEF};
        f.s().turnOffPresses = 255;
        f.s().ejectTrayPresses = 0.5;
        f.s().allowPowerOn = f.s().powerOnByEject = 2; // an unchecked box and a checked one
        expected = f.s();
        expected.allowPowerOn = 1; // only the box that changed ran its handling
        SettingsView *view = f.form->findChild<SettingsView *>();
        view->showRecord();
        view->showRecord(); // nothing changes the second time, so nothing runs again
    } else {
        f.action(how)->trigger();
        if (how == "loadefaultvaluesmenu")
            expected.loadFactoryDefaults();
    }
    return expected;
}

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT
private slots:
    // The keys: '<' a backspace, '@' a drop of code CA50F3 as our MIME type, '#' as plain
    // text. The record after each key; the field the range message names when the field
    // is left (none while typing, once however often it is left); marked as not accepted
    // at the end (blank is not a value either, but plainly so: not marked).
    void typing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("rangeNamed");
        QTest::addColumn<bool>("notAccepted");
        // clang-format off
        QTest::newRow("300 presses: record stays at 29") << 4 << "300" << "2,29,29" << "" << "Turn Off" << true;
        QTest::newRow("0 erased, 1 typed: no message") << 6 << "0<1" << "0,0,0" << "" << "" << false;
        QTest::newRow("presses erased to blank: not marked") << 4 << "30<<" << "2,29,2,2" << "" << "" << false;
        QTest::newRow("2551 msec refused") << 8 << "2551" << "0,0,0,0" << "" << "ModOn" << true;
        QTest::newRow("negative msec refused, the other delay named") << 7 << "-5" << "0,0" << "" << "ModOff" << true;
        QTest::newRow("lower-case code taken, button named") << 1 << "4a55ab"
            << "000004,00004A,0004A5,004A55,04A55A,4A55AB" << "Button: Display" << "" << false;
        QTest::newRow("letter O in a code not taken") << 3 << "CA5O73"
            << "00000C,0000CA,000CA5,000CA5,000CA5,000CA5" << "Button: Unknown" << "" << true;
        QTest::newRow("code erased to blank: record keeps the last") << 5 << "1<" << "000001,000001"
            << "Button: Unknown" << "" << false;
        QTest::newRow("code dropped as a code: replaces the text") << 3 << "12@"
            << "000001,000012,CA50F3" << "Button: 0" << "" << false;
        QTest::newRow("code dropped as plain text: refused") << 3 << "12#"
            << "000001,000012,000012" << "Button: Unknown" << "" << false;
        QTest::newRow("code dropped on presses: refused") << 4 << "12@" << "0,11,11" << "" << "" << false;
        // clang-format on
    }
    void typing()
    {
        QFETCH(int, field);
        QFETCH(QString, keys);
        QFETCH(QString, rangeNamed);
        Fixture f;
        QLineEdit *edit = f.text(field);
        edit->clear();
        QApplication::setActiveWindow(f.form.get());
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        edit->setFocus();
        QStringList seen, messages;
        QString typed;
        for (QChar key : keys) {
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
            seen << f.record(field);
        }
        if (!rangeNamed.isEmpty())
            messages << "Valid values for "
                            + (rangeNamed.startsWith("Mod")
                                   ? rangeNamed + " Power Button Push Delay are: 0 to 2550"
                                   : "No. Button Presses for " + rangeNamed + " are: 1-255");
        QTEST(seen.join(','), "records");
        QCOMPARE(f.messages.texts(), QStringList());
        for (int leave = 0; leave < 2; ++leave) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Tab);
            QVERIFY(!edit->hasFocus());
        }
        QCOMPARE(f.messages.texts(), messages);
        QCOMPARE(edit->text(), typed); // kept as typed, rejected or not
        QTEST(edit->toolTip(), "toolTip");
        QTEST(edit->property("notAccepted").toBool(), "notAccepted");
    }

    // Text1..Text8 and the boxes ('x' checked) after each way of refreshing. Refreshing
    // shows no message: a value the field refuses is marked (Read Values names it as the
    // board's). Then each box, clicked twice, changes its own flag only.
    void refresh_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("text1ToolTip");
        QTest::addColumn<bool>("pressesMarked");
        // clang-format off
        QTest::newRow("Clear: all blank codes, no box") << "clearUI"
            << "000000,000000,000000,1,000000,1,0,0,-,-,-,-" << "Button: Unknown" << false;
        QTest::newRow("Load Defaults: the defaults") << "loadefaultvaluesmenu"
            << "FA52D0,4A55AB,CA50F3,3,CA5A53,3,1000,200,x,x,x,-" << "Button: Select" << false;
        QTest::newRow("a record no field holds: shown, presses marked") << "odd record"
            << "0A51EF,000000,000000,256,000000,1.5,0,0,x,-,-,x" << "Button: Menu" << true;
        // clang-format on
    }
    void refresh()
    {
        QFETCH(QString, how);
        Fixture f;
        QCOMPARE(f.s(), refreshed(f, how));
        QTEST(f.fields(','), "fields");
        QTEST(f.text(1)->toolTip(), "text1ToolTip");
        QCOMPARE(f.messages.texts(), QStringList());
        QTEST(f.text(4)->property("notAccepted").toBool(), "pressesMarked");
        int DeviceSettings::*const flags[]
            = {&DeviceSettings::allowPowerOn, &DeviceSettings::allowPowerOff,
               &DeviceSettings::allowEjectTray, &DeviceSettings::powerOnByEject};
        for (int click = 0; click < 8; ++click) {
            DeviceSettings before = f.s();
            before.*flags[click / 2] = f.check(click / 2 + 1)->isChecked() ? 0 : 1;
            f.click(click / 2 + 1);
            QCOMPARE(f.s(), before);
        }
    }

    // File > Open and Save with the dialog answered. The file before: none, or the
    // defaults with one replacement ("from>to"). The status bar after other than "Ready":
    // the preferences cannot be stored.
    void files_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("text3");
        QTest::addColumn<QString>("fileBefore");
        QTest::addColumn<QStringList>("messageNames"); // of the one message, if any
        QTest::addColumn<QString>("text3After");
        QTest::addColumn<QString>("fileHolds");
        QTest::addColumn<QString>("status");
        // clang-format off
        QTest::newRow("Save: written") << "savemenu" << "CA5873" << "" << QStringList()
            << "CA5873" << "\"turnOffCode\": \"CA5873\"" << "Ready";
        QTest::newRow("Save, a code not taken: nothing written") << "savemenu" << "CA5O73"
            << "CA50F3>CA50F3" << QStringList{"Nothing was saved", "Turn Off Code (\"CA5O73\""}
            << "CA5O73" << "CA50F3" << "Ready";
        QTest::newRow("Open: shown") << "openmenu" << "CA5873" << "CA50F3>4a55ab" << QStringList()
            << "4A55AB" << "4a55ab" << "Ready";
        QTest::newRow("Open, preferences not stored: the folder not kept") << "openmenu" << "CA5873"
            << "CA50F3>4a55ab" << QStringList() << "4A55AB" << "4a55ab"
            << "Folder not kept: the preferences cannot be saved";
        QTest::newRow("Open, a delay not held: refused") << "openmenu" << "CA5873"
            << "Ms\": 200>Ms\": 205" << QStringList{"p.json", "modOnPushDelayMs", "steps of 10"}
            << "CA5873" << "205" << "Ready";
        // clang-format on
    }
    void files()
    {
        QFETCH(QString, menu);
        QFETCH(QString, fileBefore);
        QFETCH(QStringList, messageNames);
        QFETCH(QString, status);
        QTemporaryDir dir, lastUsed;
        Fixture f;
        AnsweringDialogs dialogs;
        dialogs.answer = dir.filePath("p.json");
        f.form->findChild<SettingsView *>()->setFileDialogs(&dialogs);
        f.store.m_values["LASTPROFILEDIR"] = lastUsed.path();
        auto prefs = f.store.m_values;
        f.action("loadefaultvaluesmenu")->trigger();
        f.text(3)->selectAll();
        QFETCH(QString, text3);
        QTest::keyClicks(f.text(3), text3);
        DeviceSettings defaults;
        defaults.loadFactoryDefaults();
        const QStringList edit = fileBefore.split('>');
        QFile file(dialogs.answer);
        if (!fileBefore.isEmpty()) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Profile::toJson(defaults).replace(edit[0].toUtf8(), edit[1].toUtf8()));
            file.close();
        }
        const QString before = f.fields(',');
        const bool storeFails = status != "Ready";
        f.store.m_problem = storeFails ? "the preferences file cannot be read" : "";

        f.action(menu)->trigger();
        const QString shown = f.messages.texts().join('\n');
        QCOMPARE(f.messages.texts().size(), int(!messageNames.isEmpty()));
        for (const QString &m : messageNames)
            QVERIFY2(shown.contains(m), qPrintable(shown));
        QTEST(f.text(3)->text(), "text3After");
        QVERIFY(shown.isEmpty() || f.fields(',') == before); // refused: nothing changed
        QFETCH(QString, fileHolds);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains(fileHolds.toUtf8()));
        QVERIFY(f.board.receivedBytes().isEmpty()); // nothing reaches the board
        // Asked in the folder last used (the home folder while the preferences cannot be
        // read), which becomes the file's once it was opened or saved; the other keys stay.
        const bool asked = !shown.startsWith("Nothing was saved");
        const QString caption = menu == "openmenu" ? "Open" : "Save";
        const QString folder = storeFails ? QDir::homePath() : lastUsed.path();
        QCOMPARE(dialogs.offered.join('|'),
                 asked ? caption + '|' + folder + "|QOV settings profile (*.json)" : "");
        prefs["LASTPROFILEDIR"] = shown.isEmpty() && !storeFails ? dir.path() : lastUsed.path();
        QCOMPARE(f.store.m_values, prefs);
        QCOMPARE(f.form->statusText(), status);
    }

    // File > Save through the standard dialog onto what is already there: a FIFO is
    // refused before anything is asked, a file is replaced only when the user says so.
    void saveOverWhatIsThere_data()
    {
        QTest::addColumn<QString>("there");     // nothing, file or fifo
        QTest::addColumn<bool>("replace");      // the answer to "replace it?"
        QTest::addColumn<bool>("asked");        // whether to replace it
        QTest::addColumn<QString>("fileHolds"); // afterwards ("": no file to read)
        QTest::addColumn<QString>("told");      // the one message ("": none)
        // clang-format off
        QTest::newRow("nothing there: saved, nothing asked") << "nothing" << false << false << "CA5873" << "";
        QTest::newRow("a file, replaced") << "file" << true << true << "CA5873" << "";
        QTest::newRow("a file, kept") << "file" << false << true << "old" << "";
        QTest::newRow("a FIFO: refused first") << "fifo" << true << false << ""
            << "p.json: it is a FIFO (named pipe), not a regular file";
        // clang-format on
    }
    void saveOverWhatIsThere()
    {
        QFETCH(QString, there);
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString path = dir.filePath("p.json");
        if (there == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QFile file(path);
        if (there == "file") {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
            file.close();
        }
        Fixture f;
        f.action("loadefaultvaluesmenu")->trigger();
        f.text(3)->selectAll();
        QTest::keyClicks(f.text(3), "CA5873");
        bool asked = false;
        // The person at the dialogs answers each as it opens: the file, then a question.
        DialogAnswers user([&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w)) {
                asked = true;
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                // Not replaced: a file dialog still open is cancelled.
                if (auto *dialog = qobject_cast<QFileDialog *>(box->parentWidget());
                    !replace && dialog)
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            } else if (auto *dialog = qobject_cast<QFileDialog *>(w)) {
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept"); // as Save is clicked
            }
        });
        f.action("savemenu")->trigger();
        QTEST(asked, "asked");
        QFETCH(QString, told);
        QCOMPARE(f.messages.texts().size(), int(!told.isEmpty()));
        QVERIFY(told.isEmpty() || f.messages.texts().constFirst().endsWith(told));
        QFETCH(QString, fileHolds);
        if (!fileHolds.isEmpty())
            QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll().contains(fileHolds.toUtf8()));
    }

    // A field left out of range by a press on another control: the range message, then
    // what the click does (Write All's refusal naming the field), whether the release
    // comes before the message could show or while it is up. The click is never lost.
    void rangeMessageThenTheClick_data()
    {
        QTest::addColumn<bool>("releaseDuringBox");
        QTest::newRow("released at once") << false;
        QTest::newRow("released while the message is up") << true;
    }
    void rangeMessageThenTheClick()
    {
        QFETCH(bool, releaseDuringBox);
        Fixture f;
        QApplication::setActiveWindow(f.form.get()); // the field can have the focus
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.action("loadefaultvaluesmenu")->trigger();
        f.text(4)->setFocus();
        f.text(4)->selectAll();
        QTest::keyClicks(f.text(4), "300");
        f.messages.clear();
        auto *write = f.find<QPushButton>("Command2");
        bool pressed = false, released = false;
        f.messages.m_onShow = [&](const QString &) {
            if (pressed && !released && releaseDuringBox) // the user lets go meanwhile
                released = true, QTest::mouseRelease(write, Qt::LeftButton);
        };
        pressed = true;
        QTest::mousePress(write, Qt::LeftButton);
        if (!released)
            released = true, QTest::mouseRelease(write, Qt::LeftButton);
        QCoreApplication::processEvents();
        const QStringList told = f.messages.texts();
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0], "Valid values for No. Button Presses for Turn Off are: 1-255");
        QVERIFY2(told[1].startsWith("Write All did not start")
                     && told[1].contains("Turn Off No. Btn Presses (\"300\""),
                 qPrintable(told[1]));
        QVERIFY(f.board.receivedBytes().isEmpty());
    }

    // Each field: a screen reader names it by its label (the heading's words where the
    // label says only "Code:"); the widest code, the mark of a field a read missed and the
    // font's height fit inside its frame; the "msec" labels stay behind the delay fields.
    void eachField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("label");
        const char *names[] = {"Turn On with Mod Enabled Code",
                               "Turn On with Mod Disabled Code",
                               "Turn Off Code",
                               "Turn Off No. Btn Presses",
                               "Eject Tray Code",
                               "Eject Tray No. Btn Presses",
                               "Mod Off",
                               "Mod On"};
        const char *labels[]
            = {"Label4", "Label5", "Label6", "Label7", "Label9", "Label16", "Label1", "Label2"};
        for (int field = 1; field <= 8; ++field)
            QTest::newRow(names[field - 1]) << field << labels[field - 1];
    }
    void eachField()
    {
        QFETCH(int, field);
        QFETCH(QString, label);
        Fixture f;
        QLineEdit *e = f.text(field);
        QCOMPARE(f.find<QLabel>(label)->buddy(), e);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(e);
        QCOMPARE(a ? a->text(QAccessible::Name) : QString(), QTest::currentDataTag());
        // QLineEdit draws inside its frame, 2 pixels in at the sides.
        const int frame
            = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
        QVERIFY(e->fontMetrics().height() <= e->height() - 2 * frame);
        for (const char *widest : {"CA52D3", "Not read from the board"})
            QVERIFY(e->fontMetrics().horizontalAdvance(widest) <= e->width() - 2 * frame - 4);
        QVERIFY(e->geometry().right() < f.form->centralWidget()->width());
        for (const char *msec : {"Label14", "Label15"})
            QVERIFY(field != 8 || f.find<QLabel>(msec)->x() > e->geometry().right());
    }
};

QTEST_MAIN(TestSettingsView)
#include "tst_settingsview.moc"
