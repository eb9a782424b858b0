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

static const QString Title = QStringLiteral("QOV Programming Software V" QOV_VERSION_STRING);

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void controls_data()
    {
        // clang-format off
        // name|class|caption|top|right edge in twips where the design lines it up
        QTest::addColumn<QStringList>("c");
        for (const char *row :
            {"Label17|QLabel|Prog Type:|40|0", "Label10|QLabel|Main Settings|570|0",
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
        // clang-format on
    }

    void controls()
    {
        QFETCH(QStringList, c);
        GuiHarness h;
        QWidget *w = h.find<QWidget>(c[0]);
        QCOMPARE(w ? w->metaObject()->className() : "", c[1]);
        QCOMPARE(w->property("text").toString(), c[2]);
        QCOMPARE(w->property("checked").toBool(), false);
        QCOMPARE(w->y(), h.form->twips(c[3].toInt()));
        if (c[4].toInt())
            QCOMPARE(w->x() + w->width(), h.form->twips(c[4].toInt()));
        const bool heading
            = QString("Label10 Label13 Label3 Label11 Label12 Label8").split(' ').contains(c[0]);
        QVERIFY(w->font().bold() == heading && w->font().underline() == heading);
        QCOMPARE(w->font().pointSizeF(), 8.25);
    }

    // A menu's items in order: name=caption, "-" a separator, "!" an item switched off.
    void menus_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("items"); // the menu first
        for (const char *row :
            {"|filemenu=&File|toolsmenu=Tools|settingsmenu=&Settings|helpmenu=&Help",
                "filemenu|openmenu=Open|savemenu=Save|spacer2=-|exit=&Exit",
                "toolsmenu|qovversionmenu=&QOV Version|learnmodemenu=&Learn Mode|spacer3=-|"
                "showlistofcodesmenu=Show List of Codes|spacer4=-|clearUI=Clear Values|"
                "loadefaultvaluesmenu=Load Default Values|spacer5=-|dbgTools=Debug Tools",
                "dbgTools|dbgMnuEnableCom=Enable COM|dbgMnuGetXOK=Get XOK|"
                "dbgMnuCheckQOV=Check QOV|dbgMnuDisableCom=Disable COM",
                "settingsmenu|qovselfpowered=QOV Is Installed In Xbox (self powered)|"
                "alwayspowerqovfrompc=Force QOV Programmer To Provide Power To QOV|space66=-|"
                "progTypeSub=Programmer Type|space6=-|comportsub=Com Port",
                "progTypeSub|progTypeMenu=Serial Programmer (RS232)|progTypeMenu=USB Programmer",
                "helpmenu|!infomenu=&Information|websitemenu=&Website|aboutmenu=&About"})
            QTest::newRow(row) << QString(row).split('|');
        QStringList ports {"comportsub"};
        for (int n = 1; n <= 21; ++n)
            ports << QString("setComPort=Com %1").arg(n);
        QTest::newRow("comportsub") << ports;
        // clang-format on
    }
    void menus()
    {
        QFETCH(QStringList, items);
        GuiHarness h;
        h.storeRegular("1", "1");
        QVERIFY(h.load());
        const QString menu = items.takeFirst();
        const QList<QAction *> actions
            = menu.isEmpty() ? h.form->menuBar()->actions() : h.find<QMenu>(menu)->actions();
        QCOMPARE(actions.size(), items.size());
        for (int i = 0; i < items.size(); ++i) {
            QAction *a = actions[i];
            QCOMPARE((a->isEnabled() ? "" : "!") + a->objectName() + "="
                         + (a->isSeparator() ? "-" : a->text()),
                     items[i]);
            QVERIFY(a->shortcut().isEmpty()
                    && (!a->menu() || a->menu()->objectName() == a->objectName()));
            if (a->objectName() == "progTypeMenu" || a->objectName() == "setComPort")
                QCOMPARE(a->property("index").toInt(), i + 1);
            if (!a->isEnabled())
                a->trigger(); // switched off: runs nothing
        }
        QVERIFY(h.messages.m_shown.isEmpty() && h.quits == 0);
    }

    // The status bar (a progress step, then one that is ignored or not), title, About,
    // Website, tab order, then the end through Exit or the close box with the port
    // open or not and a learn window up.
    void window_data()
    {
        // clang-format off
        // progress current, total, the bar's value then; ending through Exit?; port left open?
        QTest::addColumn<QList<double>>("c");
        QTest::newRow("half, Exit") << QList<double> {10, 20, 50, 1, 0};
        QTest::newRow("last location, Exit, port open") << QList<double> {19, 20, 95, 1, 1};
        QTest::newRow("zero total ignored, close box") << QList<double> {1, 0, 40, 0, 1};
        QTest::newRow("beyond the end ignored, Exit") << QList<double> {30, 20, 40, 1, 0};
        // clang-format on
    }
    void window()
    {
        QFETCH(QList<double>, c);
        GuiHarness h;
        h.storeRegular("2", "1");
        QVERIFY(h.load());
        h.form->show();
        auto *bar = h.find<QProgressBar>("ProgressBar1");
        auto *panel2 = h.find<QWidget>("StatusBar1Panel2");
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
        QVERIFY(bar->parentWidget() == h.find<QStatusBar>("StatusBar1"));
        QCOMPARE(bar->parentWidget()->height(), h.form->twips(255));
        QCOMPARE(h.find<QWidget>("StatusBar1Panel1")->width(), h.form->twips(2375));
        QCOMPARE(panel2->width(), h.form->twips(1440));
        const int border = h.form->twips(40);
        QCOMPARE(bar->geometry(), panel2->geometry().adjusted(border, border, -border, -border));
        h.form->setProgressBar(8, 20);
        h.form->setProgressBar(c[0], c[1]);
        QCOMPARE(bar->value(), int(c[2]));
        h.form->resetStatusBar();
        QVERIFY(h.form->statusText() == "Ready" && bar->value() == 0);
        const QImage empty = bar->grab().toImage(); // flat: no border, so one colour
        int otherPixels = 0;
        for (int y = 0; y < empty.height(); ++y)
            for (int x = 0; x < empty.width(); ++x)
                otherPixels += empty.pixel(x, y) != empty.pixel(0, 0);
        QCOMPARE(otherPixels, 0);

        QCOMPARE(h.form->windowTitle(), Title);
        QCOMPARE(h.form->minimumSize(), h.form->maximumSize());
        QVERIFY(!(h.form->windowFlags()
                  & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        h.action("aboutmenu")->trigger();
        h.action("websitemenu")->trigger();
        const QStringList about = h.messages.m_shown.at(0).text.split("\r\n");
        QVERIFY(about.size() == 3 && about[0] == Title && about[2].contains("example.org"));
        QCOMPARE(h.messages.m_shown.at(1).text,
                 "Please visit " + about[2] + " for more information");
        for (const auto &m : std::as_const(h.messages.m_shown))
            QCOMPARE(m.icon, MessageIcon::Information);
        h.messages.clear();
        QStringList order{"Command1"};
        for (QWidget *w = h.find<QWidget>("Command1")->nextInFocusChain(); order.size() < 14;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
        QCOMPARE(order.join(' '),
                 "Command1 Command2 Check1 Check2 Text1 Text7 Text8 Check3 Text3 Text2 Text4 Text5 "
                 "Text6 Check4");

        QVERIFY(!c[4] || h.port->setOpen(true));
        h.action("learnmodemenu")->trigger();
        h.action("learnmodemenu")->trigger(); // one window, brought to the front
        QWidgetList learn;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form2" && w->isVisible())
                learn << w;
        QCOMPARE(learn.size(), 1);
        c[3] ? h.action("exit")->trigger() : void(h.form->close());
        QVERIFY(h.quits == 1 && !h.port->isOpen() && !learn[0]->isVisible());
        QVERIFY(h.messages.m_shown.isEmpty()); // the learn window ran no closing step
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
