// The main window as a user meets it: controls, captions, menus, status bar,
// About/Website, and how the program ends.
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void menuTree_data();
    void menuTree();
    void tabOrder();
    void switchedOffItemsRunNothing();
    void statusBarAfterStartup();
    void progressPosition_data();
    void progressPosition();
    void aboutAndWebsite();
    void windowIsFixedWithVersionTitle();
    void endingTheProgram_data();
    void endingTheProgram();
};

void TestMainWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right"); // twips; where the design fixes the right edge
    QTest::addColumn<bool>("heading");
    auto row = [](const char *n, const char *cls, const char *cap, int top, int right, bool h) {
        QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(cls)
                         << QString::fromLatin1(cap) << top << right << h;
    };
    row("Label17", "QLabel", "Prog Type:", 40, 0, false);
    row("Label10", "QLabel", "Main Settings", 570, 0, true);
    row("Check1", "QCheckBox", "Allow Power ON", 780, 0, false);
    row("Check2", "QCheckBox", "Allow Power OFF", 990, 0, false);
    row("Check3", "QCheckBox", "Allow Eject Tray", 1200, 0, false);
    row("Check4", "QCheckBox", "Turn on xbox by Eject (fw 2.5+)", 1440, 0, false);
    row("Label13", "QLabel", "Power Button Push Delay", 1920, 0, true);
    row("Label2", "QLabel", "Mod On:", 2160, 1695, false);
    row("Text8", "CodeLineEdit", "", 2160, 2850, false);
    row("Label14", "QLabel", "msec", 2160, 0, false);
    row("Label1", "QLabel", "Mod Off:", 2445, 1695, false);
    row("Text7", "CodeLineEdit", "", 2445, 2850, false);
    row("Label15", "QLabel", "msec", 2445, 0, false);
    row("Label3", "QLabel", "Turn On with Mod Enabled", 2775, 0, true);
    row("Label4", "QLabel", "Code:", 2985, 1695, false);
    row("Text1", "CodeLineEdit", "", 3000, 2850, false);
    row("Label11", "QLabel", "Turn On with Mod Disabled", 3375, 0, true);
    row("Label5", "QLabel", "Code:", 3585, 1695, false);
    row("Text2", "CodeLineEdit", "", 3600, 2850, false);
    row("Label12", "QLabel", "Turn Off", 3960, 0, true);
    row("Label6", "QLabel", "Code:", 4185, 1695, false);
    row("Text3", "CodeLineEdit", "", 4185, 2850, false);
    row("Label7", "QLabel", "No. Btn Presses:", 4440, 1695, false);
    row("Text4", "CodeLineEdit", "", 4440, 2850, false);
    row("Label8", "QLabel", "Eject Tray", 4800, 0, true);
    row("Label9", "QLabel", "Code:", 5025, 1695, false);
    row("Text5", "CodeLineEdit", "", 5040, 2850, false);
    row("Label16", "QLabel", "No. Btn Presses:", 5280, 1695, false);
    row("Text6", "CodeLineEdit", "", 5280, 2850, false);
    row("Command1", "QPushButton", "Read Values", 5970, 1770, false);
    row("Command2", "QPushButton", "Write All", 5970, 3345, false);
}

void TestMainWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(bool, heading);

    GuiHarness h;
    QWidget *w = h.find<QWidget>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
    if (auto *label = qobject_cast<QLabel *>(w))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(button->text(), caption);
    else if (auto *edit = qobject_cast<QLineEdit *>(w))
        QCOMPARE(edit->text(), QString());
    if (auto *box = qobject_cast<QCheckBox *>(w))
        QVERIFY(!box->isChecked());

    QCOMPARE(w->y(), h.form->twips(top));
    if (right)
        QCOMPARE(w->x() + w->width(), h.form->twips(right));
    QCOMPARE(w->font().bold(), heading);
    QCOMPARE(w->font().underline(), heading);
    QCOMPARE(w->font().pointSizeF(), 8.25);
}

void TestMainWindow::menuTree_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<int>("position"); // among the parent's actions
    auto row = [](const char *p, const char *n, const char *c, bool e, bool s, int pos) {
        QTest::newRow(QByteArray(p).append('/').append(n).append(QByteArray::number(pos)))
            << QString::fromLatin1(p) << QString::fromLatin1(n) << QString::fromLatin1(c) << e
            << s << pos;
    };
    row("", "filemenu", "&File", true, false, 0);
    row("", "toolsmenu", "Tools", true, false, 1);
    row("", "settingsmenu", "&Settings", true, false, 2);
    row("", "helpmenu", "&Help", true, false, 3);
    row("filemenu", "openmenu", "Open", false, false, 0);
    row("filemenu", "savemenu", "Save", false, false, 1);
    row("filemenu", "spacer2", "", true, true, 2);
    row("filemenu", "exit", "&Exit", true, false, 3);
    row("toolsmenu", "qovversionmenu", "&QOV Version", true, false, 0);
    row("toolsmenu", "learnmodemenu", "&Learn Mode", true, false, 1);
    row("toolsmenu", "spacer3", "", true, true, 2);
    row("toolsmenu", "showlistofcodesmenu", "Show List of Codes", true, false, 3);
    row("toolsmenu", "spacer4", "", true, true, 4);
    row("toolsmenu", "clearUI", "Clear Values", true, false, 5);
    row("toolsmenu", "loadefaultvaluesmenu", "Load Default Values", true, false, 6);
    row("toolsmenu", "spacer5", "", true, true, 7);
    row("toolsmenu", "dbgTools", "Debug Tools", true, false, 8);
    row("dbgTools", "dbgMnuEnableCom", "Enable COM", true, false, 0);
    row("dbgTools", "dbgMnuGetXOK", "Get XOK", true, false, 1);
    row("dbgTools", "dbgMnuCheckQOV", "Check QOV", true, false, 2);
    row("dbgTools", "dbgMnuDisableCom", "Disable COM", true, false, 3);
    row("settingsmenu", "qovselfpowered", "QOV Is Installed In Xbox (self powered)", true, false, 0);
    row("settingsmenu", "alwayspowerqovfrompc", "Force QOV Programmer To Provide Power To QOV",
        true, false, 1);
    row("settingsmenu", "space66", "", true, true, 2);
    row("settingsmenu", "progTypeSub", "Programmer Type", true, false, 3);
    row("settingsmenu", "space6", "", true, true, 4);
    row("settingsmenu", "comportsub", "Com Port", true, false, 5);
    row("progTypeSub", "progTypeMenu", "Serial Programmer (RS232)", true, false, 0);
    row("progTypeSub", "progTypeMenu", "USB Programmer", true, false, 1);
    for (int n = 1; n <= 21; n += 10)
        row("comportsub", "setComPort", QByteArray("Com ").append(QByteArray::number(n)).constData(),
            true, false, n - 1);
    row("helpmenu", "infomenu", "&Information", false, false, 0);
    row("helpmenu", "websitemenu", "&Website", true, false, 1);
    row("helpmenu", "aboutmenu", "&About", true, false, 2);
}

void TestMainWindow::menuTree()
{
    QFETCH(QString, parent);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(bool, separator);
    QFETCH(int, position);

    GuiHarness h;
    const QList<QAction *> siblings = parent.isEmpty()
                                          ? h.form->menuBar()->actions()
                                          : h.find<QMenu>(parent)->actions();
    QVERIFY(position < siblings.size());
    QAction *a = siblings.at(position);
    QCOMPARE(a->objectName(), name);
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->isEnabled(), enabled);
    QCOMPARE(a->isSeparator(), separator);
    QVERIFY(!a->isChecked());
    QVERIFY(a->shortcut().isEmpty());
    if (a->menu()) // a submenu and its item carry the same name
        QCOMPARE(a->menu()->objectName(), name);
    if (name == QLatin1String("progTypeMenu") || name == QLatin1String("setComPort"))
        QCOMPARE(a->property("index").toInt(), position + 1);
    if (parent == QLatin1String("comportsub"))
        QCOMPARE(siblings.size(), 21);
}

void TestMainWindow::tabOrder()
{
    GuiHarness h;
    const QStringList expected = {"Command1", "Command2", "Check1", "Check2", "Text1",
                                  "Text7",    "Text8",    "Check3", "Text3",  "Text2",
                                  "Text4",    "Text5",    "Text6",  "Check4"};
    QWidget *w = h.find<QWidget>(expected.first());
    for (int i = 1; i < expected.size(); ++i) {
        w = w->nextInFocusChain();
        while (w && !(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        QVERIFY(w);
        QCOMPARE(w->objectName(), expected.at(i));
    }
}

void TestMainWindow::switchedOffItemsRunNothing()
{
    GuiHarness h;
    h.storeRegular("1", "3");
    QVERIFY(h.load());
    const auto before = h.store.m_values;
    for (const char *name : {"openmenu", "savemenu", "infomenu"}) {
        QAction *a = h.action(QString::fromLatin1(name));
        QVERIFY(!a->isEnabled());
        a->trigger(); // a disabled action does not fire
    }
    QVERIFY(h.messages.m_shown.isEmpty());
    QCOMPARE(h.store.m_values, before);
    QCOMPARE(h.quits, 0);
}

void TestMainWindow::statusBarAfterStartup()
{
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    auto *bar = h.find<QStatusBar>("StatusBar1");
    auto *progress = h.find<QProgressBar>("ProgressBar1");
    auto *panel2 = h.find<QWidget>("StatusBar1Panel2");
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    QCOMPARE(progress->value(), 0);
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->parentWidget(), bar);
    QCOMPARE(bar->height(), h.form->twips(255));
    QCOMPARE(bar->width(), h.form->twips(3840));
    QCOMPARE(h.find<QWidget>("StatusBar1Panel1")->width(), h.form->twips(2375));
    QCOMPARE(panel2->width(), h.form->twips(1440));
    const int border = h.form->twips(40);
    QCOMPARE(progress->geometry(),
             panel2->geometry().adjusted(border, border, -border, -border));

    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.form->update();
    QCoreApplication::processEvents();
    QCOMPARE(panel2->width(), h.form->twips(1440));
    QCOMPARE(progress->parentWidget(), bar);

    h.form->setStatusBarText(QString());
    QCOMPARE(h.form->statusText(), QString());
}

void TestMainWindow::progressPosition_data()
{
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("total");
    QTest::addColumn<int>("value");
    QTest::newRow("half") << 10.0 << 20.0 << 50;
    QTest::newRow("start") << 0.0 << 20.0 << 0;
    QTest::newRow("last location") << 19.0 << 20.0 << 95;
    QTest::newRow("thirds") << 1.0 << 3.0 << 33;
    QTest::newRow("zero total is ignored") << 1.0 << 0.0 << 40;
    QTest::newRow("beyond the end is ignored") << 30.0 << 20.0 << 40;
}

void TestMainWindow::progressPosition()
{
    QFETCH(double, current);
    QFETCH(double, total);
    QFETCH(int, value);
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    h.form->setProgressBar(8, 20); // 40
    h.form->setProgressBar(current, total);
    QCOMPARE(h.find<QProgressBar>("ProgressBar1")->value(), value);
    h.form->resetStatusBar();
    QCOMPARE(h.find<QProgressBar>("ProgressBar1")->value(), 0);
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
}

void TestMainWindow::aboutAndWebsite()
{
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    h.action("aboutmenu")->trigger();
    h.action("websitemenu")->trigger();
    QCOMPARE(h.messages.m_shown.size(), 2);
    const QStringList about = h.messages.m_shown.at(0).text.split(QStringLiteral("\r\n"));
    QCOMPARE(about.size(), 3);
    QCOMPARE(about.at(0), QStringLiteral("QOV Programming Software V%1.%2.%3")
                              .arg(QOV_VERSION_MAJOR)
                              .arg(QOV_VERSION_MINOR)
                              .arg(QOV_VERSION_PATCH));
    QVERIFY(about.at(2).contains(QStringLiteral("example.org")));
    QCOMPARE(h.messages.m_shown.at(0).icon, MessageIcon::Information);
    QCOMPARE(h.messages.m_shown.at(1).text,
             QStringLiteral("Please visit ") + about.at(2) + QStringLiteral(" for more information"));
    QCOMPARE(h.messages.m_shown.at(1).icon, MessageIcon::Information);
}

void TestMainWindow::windowIsFixedWithVersionTitle()
{
    GuiHarness h;
    h.storeRegular("2", "1");
    QVERIFY(h.load());
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    QCOMPARE(h.form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(h.form->windowTitle(), QStringLiteral("QOV Programming Software V%1.%2.%3")
                                        .arg(QOV_VERSION_MAJOR)
                                        .arg(QOV_VERSION_MINOR)
                                        .arg(QOV_VERSION_PATCH));
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
    QVERIFY(!(h.form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(h.form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!h.form->windowIcon().isNull());
    QCOMPARE(h.form->centralWidget()->width(), h.form->twips(3840));
    QCOMPARE(h.form->centralWidget()->height() + h.find<QStatusBar>("StatusBar1")->height(),
             h.form->twips(6960));
}

void TestMainWindow::endingTheProgram_data()
{
    QTest::addColumn<bool>("viaExit");
    QTest::addColumn<bool>("portOpen");
    QTest::newRow("Exit, port closed") << true << false;
    QTest::newRow("Exit, port left open") << true << true;
    QTest::newRow("close box, port left open") << false << true;
    QTest::newRow("close box, learn window open") << false << false;
}

void TestMainWindow::endingTheProgram()
{
    QFETCH(bool, viaExit);
    QFETCH(bool, portOpen);
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    h.form->show();
    if (portOpen)
        QVERIFY(h.port->setOpen(true));
    h.action("learnmodemenu")->trigger();
    QWidget *learn = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form2") && w->isVisible())
            learn = w;
    QVERIFY(learn);
    h.messages.clear();

    if (viaExit)
        h.action("exit")->trigger();
    else
        h.form->close();
    QCOMPARE(h.quits, 1);
    QVERIFY(!h.port->isOpen());
    QVERIFY(!learn->isVisible());
    QVERIFY(h.messages.m_shown.isEmpty()); // no closing step of the learn window ran
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
