#include "app/PreferenceStore.h"
#include "app/Session.h"
#include "app/gui/MainWindow.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeLineEdit.h"
#include "codes/gui/CodeListWindow.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

#include <QDrag>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

namespace {
constexpr int MenuRow = 11;
constexpr int ZeroRow = 27;

QLineEdit *box(const CodeListWindow &window, int row)
{
    return window.findChild<QLineEdit *>(QStringLiteral("codeBox_%1").arg(row));
}

// Delivers a drop of mime on target as the window system would, entering first.
void drop(QWidget *target, QMimeData *mime)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
}

QMimeData *plainText(const QString &text)
{
    auto *mime = new QMimeData;
    mime->setText(text);
    return mime;
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
        QVERIFY(window.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!window.parentWidget());
        QCOMPARE(window.minimumSize(), window.maximumSize());
        if (window.logicalDpiX() == 96)
            QCOMPARE(window.size(), QSize(288, 292));
        QCOMPARE(window.findChildren<QLineEdit *>().size(), 27);
        auto *note = window.findChild<QLabel *>("noteLabel");
        QCOMPARE(note->text(), QString("Drag the code to the appropriate box in the main window."));
    }

    // Every pair, in the remote's order: 14 down the left column, 13 down the right.
    void pairs_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("labelRight");
        QTest::addColumn<QRect>("boxGeometry");
        for (int i = 0; i < 27; ++i) {
            const bool left = i < 14;
            const int top = 56 + 16 * (left ? i : i - 14);
            QTest::addRow("%s", RemoteCodeCatalogue[i].name)
                    << i + 1 << QString::fromLatin1(RemoteCodeCatalogue[i].code)
                    << QString::fromLatin1(RemoteCodeCatalogue[i].name) << (left ? 57 : 209)
                    << QRect(left ? 70 : 222, top, 45, 13);
        }
    }
    void pairs()
    {
        QFETCH(int, row);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(int, labelRight);
        QFETCH(QRect, boxGeometry);
        CodeListWindow window;
        QLineEdit *codeBox = box(window, row);
        QVERIFY(codeBox);
        QCOMPARE(codeBox->text(), code);
        QVERIFY(codeBox->isReadOnly());
        QCOMPARE(codeBox->property("buttonName").toString(), name);
        auto *label = window.findChild<QLabel *>(QStringLiteral("codeLabel_%1").arg(row));
        QCOMPARE(label->text(), name + ":");
        QVERIFY(label->alignment() & Qt::AlignRight);
        if (window.logicalDpiX() != 96)
            return;
        QCOMPARE(codeBox->geometry(), boxGeometry);
        QCOMPARE(label->geometry().right() + 1, labelRight);
        QCOMPARE(label->y(), boxGeometry.y());
    }

    void typingChangesNothing()
    {
        CodeListWindow window;
        window.show();
        QLineEdit *menu = box(window, MenuRow);
        QTest::keyClicks(menu, "123");
        QTest::keyClick(menu, Qt::Key_Backspace);
        QTest::keyClick(menu, Qt::Key_Delete);
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
        QCOMPARE(drag->mimeData()->data(QLatin1String(CodeMimeType)), QByteArray("0A51EF"));
        QCOMPARE(drag->pixmap().size(), menu->grab().size());
        QCOMPARE(menu->text(), QString("0A51EF"));
    }

    void dragCarriesOnlyTheCode()
    {
        CodeListWindow window;
        std::unique_ptr<QMimeData> mime(CodeListWindow::mimeDataFor(box(window, MenuRow)));
        QCOMPARE(mime->formats(), QStringList{QLatin1String(CodeMimeType)});
        QCOMPARE(mime->data(QLatin1String(CodeMimeType)), QByteArray("0A51EF"));
    }

    // What a drop does to a field: only our code type on a code field counts.
    void drops_data()
    {
        QTest::addColumn<int>("target"); // 0 code field, 1 number field, 2 a code box
        QTest::addColumn<bool>("ours");
        QTest::addColumn<QString>("expected");
        QTest::newRow("code on code field") << 0 << true << "0A51EF";
        QTest::newRow("plain text on code field") << 0 << false << "4A55AB";
        QTest::newRow("code on number field") << 1 << true << "4A55AB";
        QTest::newRow("code back on the list") << 2 << true << "CA50F3";
        QTest::newRow("plain text on the list") << 2 << false << "CA50F3";
    }
    void drops()
    {
        QFETCH(int, target);
        QFETCH(bool, ours);
        QFETCH(QString, expected);
        CodeListWindow window;
        CodeLineEdit codeField(CodeLineEdit::Kind::Code);
        CodeLineEdit numberField(CodeLineEdit::Kind::Number);
        codeField.setText("4A55AB");
        numberField.setText("4A55AB");
        QWidget *targets[] = {&codeField, &numberField, box(window, ZeroRow)};
        std::unique_ptr<QMimeData> mime(ours ? CodeListWindow::mimeDataFor(box(window, MenuRow))
                                             : plainText("0A51EF"));
        drop(targets[target], mime.get());
        QCOMPARE(qobject_cast<QLineEdit *>(targets[target])->text(), expected);
    }

    // Dropped on the main window's fields: text, record and tool tip follow.
    void dropOnMainWindow_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("firstLocation"); // -1: a number field, nothing changes
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("menu on turn off") << "Text3" << MenuRow << 16 << "Button: Menu";
        QTest::newRow("zero on turn off") << "Text3" << ZeroRow << 16 << "Button: 0";
        QTest::newRow("menu on eject") << "Text5" << MenuRow << 19 << "Button: Menu";
        QTest::newRow("menu on presses") << "Text4" << MenuRow << -1 << "";
    }
    void dropOnMainWindow()
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
        auto *target = form.findChild<QLineEdit *>(field);
        QVERIFY(target);
        const QString before = target->text();
        const DeviceSettings recordBefore = session.settings();

        std::unique_ptr<QMimeData> mime(CodeListWindow::mimeDataFor(box(list, row)));
        drop(target, mime.get());

        if (firstLocation < 0) {
            QCOMPARE(target->text(), before);
            QVERIFY(session.settings() == recordBefore);
            QVERIFY(messages.texts().isEmpty());
            return;
        }
        const QString code = QString::fromLatin1(RemoteCodeCatalogue[row - 1].code);
        QCOMPARE(target->text(), code);
        const IrCode expected = *IrCode::fromText(code);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(session.settings().valueAt(firstLocation + i), double(expected.bytes[i]));
        QCOMPARE(target->toolTip(), toolTip);
    }
};

QTEST_MAIN(TestCodeList)
#include "tst_codelist.moc"
