// The settings fields and boxes of the main window: typing, clicking, the two
// menu commands, refreshing and dropping codes.
#include "codes/CodeMime.h"
#include "settings/Profile.h"
#include "settings/gui/FileDialogs.h"
#include "support/GuiHarness.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

} // namespace

class TestSettingsView : public QObject
{
    Q_OBJECT
private slots:
    // The keys: '<' a backspace, '@' a drop of code CA50F3 as our MIME type, '#' as plain
    // text. The record after each key; the range message when the field is left (none
    // while typing, once however often it is left); marked as not accepted
    // at the end (blank is not a value either, but plainly so: not marked).
    void typing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QStringList>("said"); // when the field is left
        QTest::addColumn<bool>("notAccepted");
        // clang-format off
        QTest::newRow("300 presses: record stays at 29") << 4 << "300" << "2,29,29" << ""
            << QStringList{"Valid values for No. Button Presses for Turn Off are: 1-255"} << true;
        QTest::newRow("presses erased to blank: not marked") << 4 << "30<<" << "2,29,2,2" << "" << QStringList() << false;
        QTest::newRow("negative msec refused, the other delay named") << 7 << "-5" << "0,0" << ""
            << QStringList{"Valid values for ModOff Power Button Push Delay are: 0 to 2550"} << true;
        QTest::newRow("lower-case code taken, button named") << 1 << "4a55ab"
            << "000004,00004A,0004A5,004A55,04A55A,4A55AB" << "Button: Display" << QStringList() << false;
        QTest::newRow("letter O in a code not taken") << 3 << "CA5O73"
            << "00000C,0000CA,000CA5,000CA5,000CA5,000CA5" << "Button: Unknown" << QStringList() << true;
        QTest::newRow("code dropped as a code: replaces the text") << 3 << "12@"
            << "000001,000012,CA50F3" << "Button: 0" << QStringList() << false;
        QTest::newRow("code dropped as plain text: refused") << 3 << "12#"
            << "000001,000012,000012" << "Button: Unknown" << QStringList() << false;
        QTest::newRow("code dropped on presses: refused") << 4 << "12@" << "0,11,11" << "" << QStringList() << false;
        // clang-format on
    }
    void typing()
    {
        QFETCH(int, field);
        QFETCH(QString, keys);
        Fixture f;
        QLineEdit *edit = f.text(field);
        edit->clear();
        QApplication::setActiveWindow(f.form.get());
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        edit->setFocus();
        QStringList seen;
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
        QTEST(seen.join(','), "records");
        QCOMPARE(f.messages.texts(), QStringList());
        for (int leave = 0; leave < 2; ++leave) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Tab);
            QVERIFY(!edit->hasFocus());
        }
        QTEST(f.messages.texts(), "said");
        QCOMPARE(edit->text(), typed); // kept as typed, rejected or not
        QTEST(edit->toolTip(), "toolTip");
        QTEST(edit->property("notAccepted").toBool(), "notAccepted");
    }

    // Text1..Text8 and the boxes ('x' checked) after each way of refreshing over edits it
    // replaces. Refreshing shows no message. Then each box, clicked twice, changes its own
    // flag only. (What a record no field holds shows is Read Values' test.)
    void refresh_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("text1ToolTip");
        // clang-format off
        QTest::newRow("Clear: all blank codes, no box") << "clearUI"
            << "000000,000000,000000,1,000000,1,0,0,-,-,-,-" << "Button: Unknown";
        QTest::newRow("Load Defaults: the defaults") << "loadefaultvaluesmenu"
            << "FA52D0,4A55AB,CA50F3,3,CA5A53,3,1000,200,x,x,x,-" << "Button: Select";
        // clang-format on
    }
    void refresh()
    {
        QFETCH(QString, how);
        Fixture f;
        QTest::keyClicks(f.text(4), "7");
        f.click(4);
        f.messages.clear();
        f.action(how)->trigger();
        DeviceSettings expected;
        if (how == "loadefaultvaluesmenu")
            expected.loadFactoryDefaults();
        QCOMPARE(f.s(), expected);
        QTEST(f.fields(','), "fields");
        QTEST(f.text(1)->toolTip(), "text1ToolTip");
        QCOMPARE(f.messages.texts(), QStringList());
        QVERIFY(!f.text(4)->property("notAccepted").toBool());
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

    // File > Open and Save with the dialog answered. The file before: none, the defaults
    // with one replacement ("from>to"), or a FIFO (refused before anyone is asked to
    // replace it); a file there is replaced only when the user says so. The status bar
    // after other than "Ready": the preferences cannot be stored.
    void files_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("text3");
        QTest::addColumn<QString>("fileBefore");
        QTest::addColumn<bool>("replace");             // the answer to "replace it?"
        QTest::addColumn<QStringList>("messageNames"); // of the one message, if any
        QTest::addColumn<QString>("text3After");
        QTest::addColumn<QString>("fileHolds");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("folderKept"); // the file's folder is the next one offered
        // clang-format off
        QTest::newRow("Save: written") << "savemenu" << "CA5873" << "" << true << QStringList()
            << "CA5873" << "\"turnOffCode\": \"CA5873\"" << "Ready" << true;
        QTest::newRow("Save over a file: replaced") << "savemenu" << "CA5873" << "CA50F3>CA50F3" << true
            << QStringList() << "CA5873" << "CA5873" << "Ready" << true;
        QTest::newRow("Save over a file: kept") << "savemenu" << "CA5873" << "CA50F3>CA50F3" << false
            << QStringList() << "CA5873" << "CA50F3" << "Ready" << false;
        QTest::newRow("Save onto a FIFO: refused first") << "savemenu" << "CA5873" << "fifo" << true
            << QStringList{"p.json: it is a FIFO (named pipe), not a regular file"} << "CA5873" << "" << "Ready" << false;
        QTest::newRow("Open: shown") << "openmenu" << "CA5873" << "CA50F3>4a55ab" << true << QStringList()
            << "4A55AB" << "4a55ab" << "Ready" << true;
        QTest::newRow("Open, preferences not stored: the folder not kept") << "openmenu" << "CA5873"
            << "CA50F3>4a55ab" << true << QStringList() << "4A55AB" << "4a55ab"
            << "Folder not kept: the preferences cannot be saved" << false;
        QTest::newRow("Open, a delay not held: refused") << "openmenu" << "CA5873" << "Ms\": 200>Ms\": 205"
            << true << QStringList{"p.json", "modOnPushDelayMs", "steps of 10"} << "CA5873" << "205" << "Ready" << false;
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
        AnsweringDialogs &dialogs = f.dialogs;
        dialogs.answer = dir.filePath("p.json");
        QFETCH(bool, replace);
        dialogs.replace = replace;
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
        if (fileBefore == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(file.fileName()).constData(), 0600) == 0);
        } else if (!fileBefore.isEmpty()) {
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
        QVERIFY(fileHolds.isEmpty() // a FIFO is not read
                || (file.open(QIODevice::ReadOnly) && file.readAll().contains(fileHolds.toUtf8())));
        QVERIFY(f.board.receivedBytes().isEmpty()); // nothing reaches the board
        // Asked in the folder last used (the home folder while the preferences cannot be
        // read), which becomes the file's once it was opened or saved; the other keys stay.
        const QString caption = menu == "openmenu" ? "Open" : "Save";
        const QString folder = storeFails ? QDir::homePath() : lastUsed.path();
        const bool replaceAsked = menu == "savemenu" && fileBefore.contains('>');
        QCOMPARE(dialogs.offered.join('|'),
                 caption + '|' + folder + "|QOV settings profile (*.json)"
                     + (replaceAsked ? "|replace " + file.fileName() : ""));
        QFETCH(bool, folderKept);
        prefs["LASTPROFILEDIR"] = folderKept ? dir.path() : lastUsed.path();
        QCOMPARE(f.store.m_values, prefs);
        QCOMPARE(f.form->statusText(), status);
    }

    // The real Save dialog takes a name that is there without asking itself: the one
    // question ("replace it?") comes after the file is known to be one we may save to.
    void saveDialogAsksNothing_data()
    {
        QTest::addColumn<bool>("there");
        QTest::addColumn<bool>("replace"); // the answer to our own question
        QTest::newRow("a new name") << false << false;
        QTest::newRow("a file that is there, replaced") << true << true;
        QTest::newRow("a file that is there, kept") << true << false;
    }
    void saveDialogAsksNothing()
    {
        QFETCH(bool, there);
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.json"));
        QFile file(path);
        QVERIFY(!there || file.open(QIODevice::WriteOnly));
        QStringList boxes;
        // Whatever box is up when the person looks: its text noted, then answered.
        const auto answerBox = [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                // Kept: a file dialog still open behind it is cancelled, never left hanging.
                if (auto *dialog = qobject_cast<QFileDialog *>(box->parentWidget()))
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            }
        };
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(path);
            QTimer::singleShot(0, answerBox);            // a box the dialog would open itself
            QMetaObject::invokeMethod(dialog, "accept"); // as Save is clicked
        });
        FileDialogs dialogs;
        QCOMPARE(dialogs.saveFileName(nullptr, "Save", dir.path(), "Profiles (*.json)"), path);
        QCOMPARE(boxes, QStringList());
        if (there) {
            QTimer::singleShot(0, answerBox);
            QCOMPARE(dialogs.confirmReplace(nullptr, path), replace);
            QCOMPARE(boxes, QStringList{"p.json already exists.\nDo you want to replace it?"});
        }
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
        QTest::newRow("Turn On with Mod Enabled Code") << 1 << "Label4";
        QTest::newRow("Turn On with Mod Disabled Code") << 2 << "Label5";
        QTest::newRow("Turn Off Code") << 3 << "Label6";
        QTest::newRow("Turn Off No. Btn Presses") << 4 << "Label7";
        QTest::newRow("Eject Tray Code") << 5 << "Label9";
        QTest::newRow("Eject Tray No. Btn Presses") << 6 << "Label16";
        QTest::newRow("Mod Off") << 7 << "Label1";
        QTest::newRow("Mod On") << 8 << "Label2";
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
