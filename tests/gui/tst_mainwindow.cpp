// The main window as a user meets it: status bar, About and Website, the switched
// off Information item, tab order, keys on buttons, and how the program ends.
#include "app/gui/MainStatusBar.h"
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

static const QString Title = QStringLiteral("QOV Programming Software V" QOV_VERSION_STRING);
static const QString Busy = QStringLiteral("Not started: another command is using the port");
static const QString LearnHolds
    = QStringLiteral("Not started: Learn Mode holds the port (press Done)");

namespace {
// The texts the status bar's text panel paints, as a user sees them one after another.
struct PaintedTexts : QObject
{
    QStringList seen;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QString text = static_cast<QLabel *>(watched)->text();
        if (event->type() == QEvent::Paint && (seen.isEmpty() || seen.last() != text))
            seen << text;
        return false;
    }
};

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    // The status bar's progress after a step and then another, which may be ignored.
    void progress_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("value");
        QTest::newRow("half") << 10.0 << 20.0 << 50;
        QTest::newRow("last location") << 19.0 << 20.0 << 95;
        QTest::newRow("zero total ignored") << 1.0 << 0.0 << 40;
        QTest::newRow("beyond the end ignored") << 30.0 << 20.0 << 40;
    }
    void progress()
    {
        QFETCH(double, current);
        QFETCH(double, total);
        GuiHarness h;
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        auto *bar = h.find<QProgressBar>("ProgressBar1");
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
        QVERIFY(bar->parentWidget() == h.find<QStatusBar>("StatusBar1"));
        h.form->setProgressBar(8, 20);
        h.form->setProgressBar(current, total);
        QTEST(bar->value(), "value");
        h.form->resetStatusBar();
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
    }

    // Neither resized nor maximised: the layout is drawn for one size.
    void fixedSize()
    {
        GuiHarness h;
        QVERIFY(h.startShown());
        QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
        QVERIFY(!(h.form->windowFlags()
                  & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    // Help > About and Help > Website each tell one thing, as information; Help >
    // Information is there but switched off: it runs nothing.
    void helpMessages_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text"); // "": switched off
        QTest::newRow("About: the title, what it is, where to read more")
            << "aboutmenu"
            << Title
                   + "\r\nProgramming software for the QOV infrared receiver board"
                     "\r\nhttps://example.org/qovprog";
        QTest::newRow("Website: where to read more")
            << "websitemenu"
            << "Please visit https://example.org/qovprog for more information";
        QTest::newRow("Information: switched off") << "infomenu"
                                                   << "";
    }
    void helpMessages()
    {
        QFETCH(QString, item);
        QFETCH(QString, text);
        GuiHarness h;
        QVERIFY(h.startShown());
        QCOMPARE(h.action(item)->isEnabled(), !text.isEmpty());
        h.action(item)->trigger();
        QCOMPARE(h.messages.m_shown.size(), int(!text.isEmpty()));
        for (const auto &shown : std::as_const(h.messages.m_shown))
            QVERIFY(shown.text == text && shown.icon == MessageIcon::Information);
    }

    // Tab walks the fields in the order they are read on the form.
    void tabOrder()
    {
        GuiHarness h;
        QVERIFY(h.startShown());
        QStringList order{"Command1"};
        for (QWidget *w = h.find<QWidget>("Command1")->nextInFocusChain(); order.size() < 14;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order.join(' '),
                 "Command1 Command2 Check1 Check2 Text1 Text7 Text8 Check3 Text3 Text2 Text4 Text5 "
                 "Text6 Check4");
    }

    // The end through Exit or the close box, with the port open or not and one learn
    // window up (opened twice: brought to the front): all closed, nothing shown.
    void ending_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("portOpen");
        QTest::newRow("Exit") << true << false;
        QTest::newRow("Exit, port open") << true << true;
        QTest::newRow("close box, port open") << false << true;
    }
    void ending()
    {
        QFETCH(bool, exit);
        QFETCH(bool, portOpen);
        GuiHarness h;
        QVERIFY(h.startShown());
        QVERIFY(!portOpen || h.port->setOpen(true));
        h.action("learnmodemenu")->trigger();
        h.action("learnmodemenu")->trigger();
        QWidgetList learn;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form2" && w->isVisible())
                learn << w;
        QCOMPARE(learn.size(), 1);
        exit ? h.action("exit")->trigger() : void(h.form->close());
        QVERIFY(h.quits == 1 && !h.port->isOpen() && !learn[0]->isVisible());
        QVERIFY(h.messages.m_shown.isEmpty()); // the learn window ran no closing step
    }

    // The longest status texts are read in full, on one line beside the progress bar's
    // panel, at the window's fixed size.
    void statusTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a choice not stored")
            << "Set for this run only: the preferences cannot be saved";
        QTest::newRow("the profiles' folder not stored")
            << "Folder not kept: the preferences cannot be saved";
        QTest::newRow("learn mode holds the port") << LearnHolds;
        QTest::newRow("another command runs") << Busy;
    }
    void statusTexts()
    {
        QFETCH(QString, text);
        GuiHarness h;
        QVERIFY(h.startShown());
        h.form->setStatusBarText(text);
        auto *panel = h.find<QLabel>("StatusBar1Panel1");
        QCOMPARE(panel->text(), text);
        QVERIFY(panel->fontMetrics().horizontalAdvance(text) <= panel->contentsRect().width());
        const QRect bar = h.find<QProgressBar>("ProgressBar1")->geometry();
        QVERIFY(!bar.intersects(panel->geometry()) && bar.right() < h.form->width());
    }

    // A click refused while a command runs: its reason stays until the command ends, or
    // a while on a long one; then the command's own state. When learn mode ends, "Ready".
    void refusalStays_data()
    {
        QTest::addColumn<QString>("running");   // what runs when Read Values is clicked
        QTest::addColumn<int>("wait");          // milliseconds that pass right after the click
        QTest::addColumn<QStringList>("shown"); // the status texts from the refusal on
        QTest::newRow("the version query: until it ends")
            << "qovversionmenu" << 0 << QStringList{Busy, "Ready"};
        // clang-format off
        QTest::newRow("Write All: a while, then the write's state")
            << "Command2" << int(MainStatusBar::RefusalHoldMs) << QStringList{Busy,
               "Checking for QOV", "Found QOV", "Writting Settings...",
               "Wrote Settings Succesfully", "Closing Port", "Ready"};
        // clang-format on
        QTest::newRow("learn mode, ended by Done")
            << "Done" << 0 << QStringList{LearnHolds, "Ready"};
        QTest::newRow("learn mode, ended by closing its window")
            << "close" << 0 << QStringList{LearnHolds, "Ready"};
    }
    void refusalStays()
    {
        QFETCH(QString, running);
        QFETCH(int, wait);
        QFETCH(QStringList, shown);
        GuiHarness h;
        QVERIFY(h.startShown());
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        h.action("loadefaultvaluesmenu")->trigger();
        PaintedTexts painted;
        h.find<QLabel>("StatusBar1Panel1")->installEventFilter(&painted);
        auto *read = h.find<QPushButton>("Command1");
        bool clicked = false; // once, while the command opens the port
        h.clock.setProcessEventsHook([&] {
            if (!std::exchange(clicked, true))
                QTest::mouseClick(read, Qt::LeftButton), h.clock.advance(wait);
        });
        if (running.startsWith("Command")) {
            h.find<QPushButton>(running)->click();
        } else if (running.startsWith("qov")) {
            h.action(running)->trigger();
        } else {
            h.action("learnmodemenu")->trigger();
            auto *learn = qobject_cast<LearnWindow *>(topLevel("Form2"));
            learn->findChild<QPushButton *>("Command1")->click(); // Start
            QVERIFY(learn->isLearning());
            read->click();
            running == "Done" ? learn->findChild<QPushButton *>("Command2")->click()
                              : void(learn->close());
        }
        const qsizetype refused = painted.seen.indexOf(shown[0]);
        QCOMPARE(painted.seen.mid(refused), shown);
    }

    // Return and the keypad's Enter press the focused button, as Space does, on every
    // button of the program's windows.
    void enterPresses_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("buttons");
        QTest::newRow("main window, Return") << "Form1" << Qt::Key_Return << 2;
        QTest::newRow("main window, keypad Enter") << "Form1" << Qt::Key_Enter << 2;
        QTest::newRow("learn window, Return") << "Form2" << Qt::Key_Return << 2;
        QTest::newRow("code list, which has none") << "Form3" << Qt::Key_Return << 0;
    }
    void enterPresses()
    {
        QFETCH(QString, window);
        QFETCH(Qt::Key, key);
        QFETCH(int, buttons);
        GuiHarness h;
        QVERIFY(h.startShown());
        h.action("learnmodemenu")->trigger();
        h.action("showlistofcodesmenu")->trigger();
        QWidget *w = topLevel(window);
        QVERIFY(w);
        const QList<QPushButton *> found = w->findChildren<QPushButton *>();
        QCOMPARE(found.size(), buttons);
        for (QPushButton *button : found) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            button->setFocus();
            QVERIFY(button->hasFocus());
            QSignalSpy clicks(button, &QAbstractButton::clicked);
            QTest::keyClick(button, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(clicks.size(), 1);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
