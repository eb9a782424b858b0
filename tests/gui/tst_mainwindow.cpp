// The main window as a user meets it: controls, menus, status bar, About and
// Website, and how the program ends.
#include "support/GuiHarness.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void menus_data();
    void menus();
    void statusBar_data();
    void statusBar();
    void titleAboutWebsiteTabOrder();
    void ending_data();
    void ending();
};

static QString versionText()
{
    return QStringLiteral("%1.%2.%3")
        .arg(QOV_VERSION_MAJOR)
        .arg(QOV_VERSION_MINOR)
        .arg(QOV_VERSION_PATCH);
}

void TestMainWindow::controls_data()
{
    // name|class|caption|top|right edge in twips where the design lines it up
    QTest::addColumn<QStringList>("c");
    for (const char *row : {"Label17|QLabel|Prog Type:|40|0", "Label10|QLabel|Main Settings|570|0",
             "Check1|QCheckBox|Allow Power ON|780|0", "Check2|QCheckBox|Allow Power OFF|990|0",
             "Check3|QCheckBox|Allow Eject Tray|1200|0",
             "Check4|QCheckBox|Turn on xbox by Eject (fw 2.5+)|1440|0",
             "Label13|QLabel|Power Button Push Delay|1920|0", "Label2|QLabel|Mod On:|2160|1695",
             "Text8|CodeLineEdit||2160|2850", "Label14|QLabel|msec|2160|0",
             "Label1|QLabel|Mod Off:|2445|1695", "Text7|CodeLineEdit||2445|2850",
             "Label15|QLabel|msec|2445|0", "Label3|QLabel|Turn On with Mod Enabled|2775|0",
             "Label4|QLabel|Code:|2985|1695", "Text1|CodeLineEdit||3000|2850",
             "Label11|QLabel|Turn On with Mod Disabled|3375|0", "Label5|QLabel|Code:|3585|1695",
             "Text2|CodeLineEdit||3600|2850", "Label12|QLabel|Turn Off|3960|0",
             "Label6|QLabel|Code:|4185|1695", "Text3|CodeLineEdit||4185|2850",
             "Label7|QLabel|No. Btn Presses:|4440|1695", "Text4|CodeLineEdit||4440|2850",
             "Label8|QLabel|Eject Tray|4800|0", "Label9|QLabel|Code:|5025|1695",
             "Text5|CodeLineEdit||5040|2850", "Label16|QLabel|No. Btn Presses:|5280|1695",
             "Text6|CodeLineEdit||5280|2850", "Command1|QPushButton|Read Values|5970|1770",
             "Command2|QPushButton|Write All|5970|3345"})
        QTest::newRow(row) << QString::fromLatin1(row).split(QLatin1Char('|'));
}

void TestMainWindow::controls()
{
    QFETCH(QStringList, c);
    GuiHarness h;
    QWidget *w = h.find<QWidget>(c[0]);
    QVERIFY(w);
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), c[1]);
    QString text = w->property("text").toString();
    QCOMPARE(text, c[2]);
    QCOMPARE(w->property("checked").toBool(), false);
    QCOMPARE(w->y(), h.form->twips(c[3].toInt()));
    if (c[4].toInt())
        QCOMPARE(w->x() + w->width(), h.form->twips(c[4].toInt()));
    const bool heading
        = QStringList {"Label10", "Label13", "Label3", "Label11", "Label12", "Label8"}.contains(
            c[0]);
    QCOMPARE(w->font().bold(), heading);
    QCOMPARE(w->font().underline(), heading);
    QCOMPARE(w->font().pointSizeF(), 8.25);
}

void TestMainWindow::menus_data()
{
    // The items of one menu in order: name=caption, "-" for a separator, "!" for
    // an item that is switched off.
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("bar") << ""
                         << QStringList {"filemenu=&File", "toolsmenu=Tools",
                                "settingsmenu=&Settings", "helpmenu=&Help"};
    QTest::newRow("file") << "filemenu"
                          << QStringList {
                                 "!openmenu=Open", "!savemenu=Save", "spacer2=-", "exit=&Exit"};
    QTest::newRow("tools") << "toolsmenu"
                           << QStringList {"qovversionmenu=&QOV Version",
                                  "learnmodemenu=&Learn Mode", "spacer3=-",
                                  "showlistofcodesmenu=Show List of Codes", "spacer4=-",
                                  "clearUI=Clear Values",
                                  "loadefaultvaluesmenu=Load Default Values", "spacer5=-",
                                  "dbgTools=Debug Tools"};
    QTest::newRow("debug") << "dbgTools"
                           << QStringList {"dbgMnuEnableCom=Enable COM", "dbgMnuGetXOK=Get XOK",
                                  "dbgMnuCheckQOV=Check QOV", "dbgMnuDisableCom=Disable COM"};
    QTest::newRow("settings")
        << "settingsmenu"
        << QStringList {"qovselfpowered=QOV Is Installed In Xbox (self powered)",
               "alwayspowerqovfrompc=Force QOV Programmer To Provide Power To QOV", "space66=-",
               "progTypeSub=Programmer Type", "space6=-", "comportsub=Com Port"};
    QTest::newRow("programmer") << "progTypeSub"
                                << QStringList {"progTypeMenu=Serial Programmer (RS232)",
                                       "progTypeMenu=USB Programmer"};
    QStringList ports;
    for (int n = 1; n <= 21; ++n)
        ports << QStringLiteral("setComPort=Com %1").arg(n);
    QTest::newRow("ports") << "comportsub" << ports;
    QTest::newRow("help") << "helpmenu"
                          << QStringList {"!infomenu=&Information", "websitemenu=&Website",
                                 "aboutmenu=&About"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    const QList<QAction *> actions
        = menu.isEmpty() ? h.form->menuBar()->actions() : h.find<QMenu>(menu)->actions();
    QCOMPARE(actions.size(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        QString item = items[i];
        const bool off = item.startsWith(QLatin1Char('!'));
        const QStringList nameCaption = item.remove(QLatin1Char('!')).split(QLatin1Char('='));
        QAction *a = actions[i];
        QCOMPARE(a->objectName(), nameCaption[0]);
        QCOMPARE(a->isSeparator(), nameCaption[1] == QLatin1String("-"));
        if (!a->isSeparator())
            QCOMPARE(a->text(), nameCaption[1]);
        QCOMPARE(a->isEnabled(), !off);
        QVERIFY(a->shortcut().isEmpty());
        if (a->menu())
            QCOMPARE(a->menu()->objectName(), nameCaption[0]);
        if (a->objectName() == QLatin1String("progTypeMenu")
            || a->objectName() == QLatin1String("setComPort"))
            QCOMPARE(a->property("index").toInt(), i + 1);
        if (off)
            a->trigger(); // switched off: runs nothing
    }
    QVERIFY(h.messages.m_shown.isEmpty());
    QCOMPARE(h.quits, 0);
}

void TestMainWindow::statusBar_data()
{
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("total");
    QTest::addColumn<int>("value");
    QTest::newRow("half") << 10.0 << 20.0 << 50;
    QTest::newRow("start") << 0.0 << 20.0 << 0;
    QTest::newRow("last location") << 19.0 << 20.0 << 95;
    QTest::newRow("zero total is ignored") << 1.0 << 0.0 << 40;
    QTest::newRow("beyond the end is ignored") << 30.0 << 20.0 << 40;
}

void TestMainWindow::statusBar()
{
    QFETCH(double, current);
    QFETCH(double, total);
    QFETCH(int, value);
    GuiHarness h;
    h.storeRegular("1", "1");
    QVERIFY(h.load());
    h.form->show();
    auto *bar = h.find<QStatusBar>("StatusBar1");
    auto *progress = h.find<QProgressBar>("ProgressBar1");
    auto *panel2 = h.find<QWidget>("StatusBar1Panel2");
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
    QCOMPARE(progress->value(), 0);
    QCOMPARE(progress->parentWidget(), bar);
    QCOMPARE(bar->height(), h.form->twips(255));
    QCOMPARE(h.find<QWidget>("StatusBar1Panel1")->width(), h.form->twips(2375));
    QCOMPARE(panel2->width(), h.form->twips(1440));
    const int border = h.form->twips(40);
    QCOMPARE(progress->geometry(), panel2->geometry().adjusted(border, border, -border, -border));

    h.form->setStatusBarText(QString());
    QCOMPARE(h.form->statusText(), QString());
    h.form->setProgressBar(8, 20);
    h.form->setProgressBar(current, total);
    QCOMPARE(progress->value(), value);
    h.form->resetStatusBar();
    QCOMPARE(progress->value(), 0);
    QCOMPARE(h.form->statusText(), QStringLiteral("Ready"));
}

void TestMainWindow::titleAboutWebsiteTabOrder()
{
    GuiHarness h;
    h.storeRegular("2", "1");
    QVERIFY(h.load());
    QCOMPARE(h.form->windowTitle(), QStringLiteral("QOV Programming Software V") + versionText());
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
    QVERIFY(
        !(h.form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    h.action("aboutmenu")->trigger();
    h.action("websitemenu")->trigger();
    const QStringList about = h.messages.m_shown.at(0).text.split(QStringLiteral("\r\n"));
    QCOMPARE(about.size(), 3);
    QCOMPARE(about[0], QStringLiteral("QOV Programming Software V") + versionText());
    QVERIFY(about[2].contains(QStringLiteral("example.org")));
    QCOMPARE(h.messages.m_shown.at(1).text, "Please visit " + about[2] + " for more information");
    QCOMPARE(h.messages.m_shown.at(0).icon, MessageIcon::Information);
    QCOMPARE(h.messages.m_shown.at(1).icon, MessageIcon::Information);

    QStringList order {"Command1"};
    for (QWidget *w = h.find<QWidget>("Command1")->nextInFocusChain(); order.size() < 14;
         w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    QCOMPARE(order,
        (QStringList {"Command1", "Command2", "Check1", "Check2", "Text1", "Text7", "Text8",
            "Check3", "Text3", "Text2", "Text4", "Text5", "Text6", "Check4"}));
}

void TestMainWindow::ending_data()
{
    QTest::addColumn<bool>("viaExit");
    QTest::addColumn<bool>("portOpen");
    QTest::newRow("Exit, port closed") << true << false;
    QTest::newRow("Exit, port left open") << true << true;
    QTest::newRow("close box, port left open") << false << true;
}

void TestMainWindow::ending()
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
    h.action("learnmodemenu")->trigger(); // one window, brought to the front
    QWidgetList learn;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form2") && w->isVisible())
            learn << w;
    QCOMPARE(learn.size(), 1);

    viaExit ? h.action("exit")->trigger() : void(h.form->close());
    QCOMPARE(h.quits, 1);
    QVERIFY(!h.port->isOpen());
    QVERIFY(!learn[0]->isVisible());
    QVERIFY(h.messages.m_shown.isEmpty()); // the learn window ran no closing step
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
