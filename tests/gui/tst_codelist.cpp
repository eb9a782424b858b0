// The list of the remote's codes: the pairs, read-only boxes, and dragging a
// code from each box and from the learn window's list (how a field takes the
// dropped code is the settings view's).
#include "codes/CodeMime.h"
#include "codes/gui/CodeListWindow.h"
#include "learn/gui/LearnWindow.h"
#include "support/GuiHarness.h"

#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QStyle>
#include <QTest>
#include <QTimer>

class TestCodeList : public QObject
{
    Q_OBJECT
private slots:
    // Every pair in the remote's order, read-only, dragging its code.
    void pairs_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < 27; ++i)
            QTest::addRow("%s", RemoteCodeCatalogue[i].name) << i;
    }
    void pairs()
    {
        QFETCH(int, row);
        CodeListWindow window;
        window.show();
        auto *codeBox = window.findChild<QLineEdit *>(QString("codeBox_%1").arg(row + 1));
        auto *label = window.findChild<QLabel *>(QString("codeLabel_%1").arg(row + 1));
        const QString name = RemoteCodeCatalogue[row].name, code = RemoteCodeCatalogue[row].code;
        QTest::keyClicks(codeBox, "12\b"); // read-only: typing changes nothing
        QCOMPARE(codeBox->text(), code);
        QCOMPARE(codeBox->property("buttonName").toString(), name);
        QCOMPARE(label->text(), name + ":");

        // A press starts a drag (cancelled should the platform wait for the pointer); the
        // finished drag is only disposed of later, so it can still be looked at.
        QTimer::singleShot(500, codeBox, [codeBox] { QTest::keyClick(codeBox, Qt::Key_Escape); });
        QTest::mousePress(codeBox, Qt::LeftButton, {}, QPoint(5, 5));
        auto *drag = codeBox->findChild<QDrag *>();
        QVERIFY(drag);
        QCOMPARE(drag->mimeData()->formats(), QStringList{CodeMimeType});
        QCOMPARE(drag->mimeData()->data(CodeMimeType), code.toLatin1());
        QCOMPARE(drag->pixmap().size(), codeBox->grab().size());
    }

    // A tool window of 27 boxes drawn in one size, in which the widest code fits every
    // box whole (QLineEdit draws 2 pixels in from its frame at the sides).
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
        for (QLineEdit *box : boxes) {
            QCOMPARE(box->font(), boxes.first()->font());
            const int frame
                = box->hasFrame()
                      ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box)
                      : 0;
            QVERIFY(box->fontMetrics().height() <= box->height() - 2 * frame);
            for (QLineEdit *other : boxes)
                QVERIFY(box->fontMetrics().horizontalAdvance(other->text())
                        <= box->width() - 2 * frame - 4);
        }
    }

    // A learned code drags like a code box: pressed and moved past the drag distance.
    void learnedCodeDrags()
    {
        GuiHarness h;
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        LearnWindow learn(*h.session);
        learn.show();
        learn.startLearning();
        QVERIFY(h.board.injectLearnCode(*IrCode::fromText("CA5873"))); // a remote's "1"
        h.clock.advance(700);
        learn.pollLearnReports();
        auto *list = learn.findChild<QListWidget *>("List1");
        QCOMPARE(list->count() ? list->item(0)->text() : "", "Code: CA5873"); // no button name

        QWidget *viewport = list->viewport();
        const QPoint at = list->visualItemRect(list->item(0)).center();
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
        learn.finishLearning(); // Done
    }
};

QTEST_MAIN(TestCodeList)
#include "tst_codelist.moc"
