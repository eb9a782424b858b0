// The windows codes come from, each dragging a code onto the main window's fields
// (how a field takes it is the settings view's): the list of the remote's codes, and
// the learn window over a simulated board, where reports become entries, the board is
// re-armed, and every way of starting and ending learning leaves one state.
#include "app/gui/GuiMessageBoxes.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeListWindow.h"
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>

namespace {
// The learn window over a started session's simulated programmer.
struct Rig : GuiHarness
{
    std::unique_ptr<LearnWindow> window;

    Rig()
    {
        UpdateQOVProgrammerPowerStatus(session->prefs(), *port);
        window = std::make_unique<LearnWindow>(*session);
        window->show();
    }
    QListWidget *list() { return window->findChild<QListWidget *>("List1"); }
    int learnRequests() const { return int(port->outputs().count("LLLL")); }
    // A remote's button pressed while the board is armed, then the next tick.
    bool report(const char *code)
    {
        const bool armed = board.injectLearnCode(*IrCode::fromText(QLatin1String(code)));
        clock.advance(700);
        window->pollLearnReports();
        return armed;
    }
    // Timer, port, hold and buttons must all tell the same state: 0 idle, 1 learning.
    int state()
    {
        const bool on = window->findChild<QTimer *>("Timer1")->isActive();
        const bool agree
            = on == port->isOpen() && on == session->link().isHeldByLearnMode()
              && on != window->findChild<QPushButton *>("Command1")->isEnabled()
              && window->findChild<QPushButton *>("Command2")->text() == (on ? "Done" : "Exit");
        return agree ? on : -1;
    }
    // Starts learning as set up: "busy" with another command holding the board,
    // "closed"/"pulled" the port closed under it or the cable pulled at the first tick.
    void startAs(const QString &setup)
    {
        if (auto held = setup == "busy" ? session->link().tryClaim() : std::nullopt)
            claim.emplace(std::move(*held));
        window->startLearning();
        if (setup == "pulled" || setup == "closed") {
            setup == "pulled" ? board.vanish() : void(port->setOpen(false));
            window->pollLearnReports();
        }
    }
    std::optional<DeviceLink::Claim> claim;
};
} // namespace

class TestCodeWindows : public QObject
{
    Q_OBJECT
private slots:
    // A tool window of the 27 pairs in the remote's order, read-only boxes drawn in one
    // size, in which the widest code fits every box whole (QLineEdit draws 2 pixels in
    // from its frame at the sides); each box drags its code.
    void window()
    {
        CodeListWindow window;
        window.show();
        QCOMPARE(window.windowTitle(), "Xbox DVD Remote IR Codes");
        QCOMPARE(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(window.findChild<QLabel *>("noteLabel")->text(),
                 "Drag the code to the appropriate box in the main window.");
        const QList<QLineEdit *> boxes = window.findChildren<QLineEdit *>();
        QCOMPARE(boxes.size(), 27);
        for (int row = 0; row < 27; ++row) {
            auto *box = window.findChild<QLineEdit *>(QString("codeBox_%1").arg(row + 1));
            const QString name = RemoteCodeCatalogue[row].name,
                          code = RemoteCodeCatalogue[row].code;
            QTest::keyClicks(box, "12\b"); // read-only: typing changes nothing
            QCOMPARE(box->text(), code);
            QCOMPARE(box->property("buttonName").toString(), name);
            QCOMPARE(window.findChild<QLabel *>(QString("codeLabel_%1").arg(row + 1))->text(),
                     name + ":");
            QCOMPARE(box->font(), boxes.first()->font());
            const int frame
                = box->hasFrame()
                      ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box)
                      : 0;
            QVERIFY(box->fontMetrics().height() <= box->height() - 2 * frame);
            for (QLineEdit *other : boxes)
                QVERIFY(box->fontMetrics().horizontalAdvance(other->text())
                        <= box->width() - 2 * frame - 4);

            // A press starts a drag (cancelled should the platform wait for the pointer);
            // the finished drag is only disposed of later, so it can still be looked at.
            QTimer::singleShot(500, box, [box] { QTest::keyClick(box, Qt::Key_Escape); });
            QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
            auto *drag = box->findChild<QDrag *>();
            QVERIFY2(drag, qPrintable(name));
            QCOMPARE(drag->mimeData()->formats(), QStringList{CodeMimeType});
            QCOMPARE(drag->mimeData()->data(CodeMimeType), code.toLatin1());
            QCOMPARE(drag->pixmap().size(), box->grab().size());
        }
    }

    // Each report becomes an entry, selected, and re-arms the board; Done then Start keeps
    // the list, and an entry drags like a code box. What one poll takes is the learn
    // session's.
    void reportsBecomeEntries()
    {
        Rig rig;
        QVERIFY(rig.window->findChild<QTimer *>("Timer1")->interval() == 700 && rig.state() == 0);
        rig.window->startLearning();
        QVERIFY(rig.report("0A51EF"));
        rig.window->finishLearning(); // Done
        QVERIFY(rig.state() == 0 && rig.window->isVisible() && rig.session->link().tryClaim());
        rig.window->startLearning();
        QVERIFY(rig.report("CA5873"));
        QListWidget *list = rig.list();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), "Code: 0A51EF"); // no button name
        QCOMPARE(list->currentItem()->text(), "Code: CA5873");
        QCOMPARE(rig.learnRequests(), 4);
        QCOMPARE(rig.port->bytesWaiting(), 0);
        QCOMPARE(rig.state(), 1);
        QVERIFY(!rig.session->link().tryClaim()); // Read Values and the like are refused
        QVERIFY(rig.messages.texts().isEmpty());

        // Pressed and moved past the drag distance (cancelled should the platform wait).
        QWidget *viewport = list->viewport();
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTimer::singleShot(500, list, [list] { QTest::keyClick(list, Qt::Key_Escape); });
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        for (const QPoint to : {at + QPoint(1, 0), at + QPoint(30, 0)}) {
            QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, {});
            QCoreApplication::sendEvent(viewport, &move);
        }
        auto *drag = list->findChild<QDrag *>();
        QVERIFY(drag);
        QCOMPARE(drag->mimeData()->formats(), QStringList{CodeMimeType});
        QCOMPARE(drag->mimeData()->data(CodeMimeType), "CA5873");
    }

    // Every way of not starting or of ending leaves the board unheld and tells it nothing:
    // another command running, the port lost at the first tick (closed under it, or the
    // cable pulled), the close box (the user is asked to end learning with the remote),
    // the program ending, Exit with the port open elsewhere. How the connect step stops
    // is its own test.
    void startAndEnd_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("how");   // after Start: empty, nothing more
        QTest::addColumn<bool>("learning"); // after Start
        QTest::addColumn<int>("learnRequests");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QString>("message"); // its start
        const QString reminder
            = "Please press ANY button on the remote while pointing at the QOV, then press OK";
        // clang-format off
        QTest::newRow("another command running: not started") << "busy" << "" << false << 0 << true << "";
        QTest::newRow("port closed under it: stopped quietly") << "closed" << "" << false << 1 << false << "";
        QTest::newRow("cable pulled: stopped, said") << "pulled" << "" << false << 1 << false << "Learn mode stopped";
        QTest::newRow("close box: port closed, a reminder") << "" << "close" << true << 1 << false << reminder;
        QTest::newRow("program ending: port left to the system") << "" << "end" << true << 1 << true << "";
        QTest::newRow("Exit, another command running: its port stays") << "busy" << "exit" << false << 0 << true << "";
        // clang-format on
    }
    void startAndEnd()
    {
        QFETCH(QString, setup);
        QFETCH(QString, how);
        QFETCH(bool, learning);
        QFETCH(QString, message);
        Rig rig;
        rig.startAs(setup);
        QCOMPARE(rig.state(), int(learning));
        QCOMPARE(rig.port->openCount() > 0, setup != "busy");
        QVERIFY(setup != "busy" || rig.port->setOpen(true)); // the other command's
        how == "close" ? void(rig.window->close()) : how == "end" ? rig.window.reset() : void();
        if (how == "exit")
            rig.window->finishLearning();
        QCOMPARE(!rig.window || !rig.window->isVisible(), !how.isEmpty());
        QVERIFY(!rig.session->link().isHeldByLearnMode());
        QCOMPARE(bool(rig.session->link().tryClaim()), setup != "busy");
        QTEST(rig.learnRequests(), "learnRequests"); // nothing tells the board to stop
        QTEST(rig.port->isOpen(), "portOpen");
        QCOMPARE(rig.messages.m_shown.size(), int(!message.isEmpty()));
        QCOMPARE(rig.messages.texts().join("").left(message.size()), message);
    }

    // A message sits over the window the user works in; during start-up, when no
    // window is shown yet, it is centred on the screen.
    void messageOwner_data()
    {
        QTest::addColumn<bool>("learning");
        QTest::newRow("the learn window's message") << true;
        QTest::newRow("a start-up message") << false;
    }
    void messageOwner()
    {
        QFETCH(bool, learning);
        GuiMessageBoxes boxes;
        QWidget main; // the main window, not shown yet during start-up
        boxes.setParentWidget(&main);
        Rig rig;
        learning ? main.show() : rig.window->hide();
        QVERIFY(!learning || QTest::qWaitForWindowExposed(&main));
        rig.window->activateWindow();
        QVERIFY(!learning || QTest::qWaitForWindowActive(rig.window.get()));
        QWidget *owner = &main;
        QRect at;
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                    owner = box->parentWidget(), at = box->geometry(), box->accept();
        });
        boxes.showMessage(QStringLiteral("Please press ANY button"));
        QCOMPARE(owner, learning ? rig.window.get() : nullptr);
        const QRect over = learning ? rig.window->geometry()
                                    : QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((at.center() - over.center()).manhattanLength() <= 4);
    }
};

QTEST_MAIN(TestCodeWindows)
#include "tst_codewindows.moc"
