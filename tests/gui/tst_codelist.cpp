#include "app/PreferenceStore.h"
#include "app/Session.h"
#include "app/gui/MainWindow.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeListWindow.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTimer>

namespace {
constexpr int MenuRow = 11;
constexpr int ZeroRow = 27;

QLineEdit *box(const CodeListWindow &window, int row)
{
    return window.findChild<QLineEdit *>(QStringLiteral("codeBox_%1").arg(row));
}
} // namespace

class TestCodeList : public QObject
{
    Q_OBJECT
private slots:
    void window()
    {
        CodeListWindow window;
        QCOMPARE(window.windowTitle(), QString("Xbox DVD Remote IR Codes"));
        QCOMPARE(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.findChildren<QLineEdit *>().size(), 27);
        QCOMPARE(window.findChild<QLabel *>("noteLabel")->text(),
            QString("Drag the code to the appropriate box in the main window."));
        if (window.logicalDpiX() == 96)
            QCOMPARE(window.size(), QSize(288, 292));
    }

    // Every pair in the remote's order: 14 down the left column, 13 down the right.
    void pairs_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("labelRight");
        QTest::addColumn<QRect>("boxGeometry");
        for (int i = 0; i < 27; ++i) {
            const bool left = i < 14;
            QTest::addRow("%s", RemoteCodeCatalogue[i].name)
                << i << (left ? 57 : 209)
                << QRect(left ? 70 : 222, 56 + 16 * (left ? i : i - 14), 45, 13);
        }
    }
    void pairs()
    {
        QFETCH(int, row);
        QFETCH(int, labelRight);
        QFETCH(QRect, boxGeometry);
        CodeListWindow window;
        QLineEdit *codeBox = box(window, row + 1);
        const QString name = QString::fromLatin1(RemoteCodeCatalogue[row].name);
        QCOMPARE(codeBox->text(), QString::fromLatin1(RemoteCodeCatalogue[row].code));
        QVERIFY(codeBox->isReadOnly());
        QCOMPARE(codeBox->property("buttonName").toString(), name);
        auto *label = window.findChild<QLabel *>(QStringLiteral("codeLabel_%1").arg(row + 1));
        QCOMPARE(label->text(), name + ":");
        if (window.logicalDpiX() != 96)
            return;
        QCOMPARE(codeBox->geometry(), boxGeometry);
        QCOMPARE(label->geometry().right() + 1, labelRight);
    }

    void typingChangesNothing()
    {
        CodeListWindow window;
        QLineEdit *menu = box(window, MenuRow);
        QTest::keyClicks(menu, "12");
        QTest::keyClick(menu, Qt::Key_Backspace);
        QTest::keyClick(menu, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(menu->text(), QString("0A51EF"));
    }

    void pressStartsADrag()
    {
        CodeListWindow window;
        window.show();
        QLineEdit *menu = box(window, MenuRow);
        // Should the platform's drag wait for the pointer, cancel it.
        QTimer::singleShot(500, menu, [menu] { QTest::keyClick(menu, Qt::Key_Escape); });
        QTest::mousePress(menu, Qt::LeftButton, {}, QPoint(5, 5));
        // The finished drag is only disposed of later, so it can still be looked at.
        auto *drag = menu->findChild<QDrag *>();
        QVERIFY(drag);
        QCOMPARE(drag->mimeData()->formats(), QStringList {CodeMimeType});
        QCOMPARE(drag->mimeData()->data(CodeMimeType), QByteArray("0A51EF"));
        QCOMPARE(drag->pixmap().size(), menu->grab().size());
    }

    // Drops on the main window: only a code box's data on a code field counts.
    void drops_data()
    {
        QTest::addColumn<QString>("field"); // empty: back on the code list
        QTest::addColumn<int>("row"); // 0: plain text "0A51EF" instead of a box
        QTest::addColumn<int>("firstLocation");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("menu on turn off") << "Text3" << MenuRow << 16 << "Button: Menu";
        QTest::newRow("zero on eject") << "Text5" << ZeroRow << 19 << "Button: 0";
        QTest::newRow("plain text on turn off") << "Text3" << 0 << -1 << "";
        QTest::newRow("menu on presses") << "Text4" << MenuRow << -1 << "";
        QTest::newRow("menu on the list") << "" << MenuRow << -1 << "";
    }
    void drops()
    {
        QFETCH(QString, field);
        QFETCH(int, row);
        QFETCH(int, firstLocation);
        QFETCH(QString, toolTip);
        VirtualClock clock;
        RecordingMessageBoxes messages;
        SimBoard board(clock);
        MemoryPreferenceStore store;
        Session session(std::make_unique<SimulatedPort>(board, clock), clock, messages);
        Form1 form(session, messages, store);
        CodeListWindow list;
        auto *target = field.isEmpty() ? box(list, ZeroRow) : form.findChild<QLineEdit *>(field);
        const QString before = target->text();
        const DeviceSettings recordBefore = session.settings();
        std::unique_ptr<QMimeData> mime(
            row ? CodeListWindow::mimeDataFor(box(list, row)) : new QMimeData);
        if (!row)
            mime->setText("0A51EF");

        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);

        QVERIFY(messages.texts().isEmpty());
        if (firstLocation < 0) {
            QCOMPARE(target->text(), before);
            QVERIFY(session.settings() == recordBefore);
            return;
        }
        const IrCode code = *IrCode::fromText(RemoteCodeCatalogue[row - 1].code);
        QCOMPARE(target->text(), code.toText());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(session.settings().valueAt(firstLocation + i), double(code.bytes[i]));
        QCOMPARE(target->toolTip(), toolTip);
    }
};

QTEST_MAIN(TestCodeList)
#include "tst_codelist.moc"
