// The windows in other languages: a pseudo-language (every catalogued text about
// 40 % longer, with accents, made here from the catalogue's sources) and the
// shipped German and Spanish leave no caption, label, button, menu item or status
// text cut; German and Spanish come out translated, Check Connection as qovctl doctor
// says it, while the trace and the stored preferences stay byte for byte those of English.
#include "support/GuiHarness.h"
#include "support/QovctlRig.h"
#include "support/TsCatalogue.h"
#include "translations/Languages.h"

#include "app/gui/CheckConnectionWindow.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeDragList.h"
#include "codes/gui/CodeListWindow.h"
#include "learn/LearnReport.h"
#include "learn/gui/LearnWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTranslator>
#include <cmath>

namespace {

const QString SourceDir = QStringLiteral(QOV_SOURCE_DIR);

// Accented letters and a tail, so a text is ~40 % longer and any cut shows; the
// placeholders (%1, %n) and a mnemonic's letter stay.
QString pseudo(const QString &text)
{
    static const QString plain = QStringLiteral("aeiouAEIOUcnsyCNSY");
    static const QString accented = QStringLiteral("áéíóúÁÉÍÓÚçñšýÇÑŠÝ");
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const bool cr = line.endsWith(u'\r');
        const QString body = cr ? line.chopped(1) : line;
        QString out;
        for (qsizetype i = 0; i < body.size(); ++i) {
            const QChar c = body.at(i);
            if ((c == u'%' || c == u'&') && i + 1 < body.size()) {
                out += c;
                out += body.at(++i);
                continue;
            }
            const qsizetype at = plain.indexOf(c);
            out += at >= 0 ? accented.at(at) : c;
        }
        const int extra = int(std::ceil(body.size() * 0.4));
        if (!body.trimmed().isEmpty())
            out += QString(u' ') + QString(qMax(0, extra - 1), u'ŵ');
        lines << out + (cr ? QStringLiteral("\r") : QString());
    }
    return lines.join(u'\n');
}

// Answers for exactly the texts the catalogue holds, so a text the catalogue
// lacks stays English and shows as such.
class PseudoTranslator : public QTranslator
{
public:
    explicit PseudoTranslator(const TsCatalogue &catalogue)
    {
        for (const TsMessage &m : catalogue.messages)
            m_known.insert(m.context + u'\x04' + m.source);
    }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        return m_known.contains(QString::fromUtf8(context) + u'\x04' + text) ? pseudo(text)
                                                                             : QString();
    }
    bool isEmpty() const override { return false; }

private:
    QSet<QString> m_known;
};

// One language for the rest of a test, English again after it.
class Language
{
public:
    explicit Language(const QString &name)
    {
        if (name == QLatin1String("pseudo")) {
            const TsCatalogue catalogue
                = TsCatalogue::read(SourceDir + QStringLiteral("/translations/qovprog_de.ts"));
            m_translator = std::make_unique<PseudoTranslator>(catalogue);
            QCoreApplication::installTranslator(m_translator.get());
        } else if (!name.isEmpty()) {
            Languages::install(*QCoreApplication::instance(), [name](const char *var) {
                return qstrcmp(var, "LANGUAGE") == 0 ? name : QString();
            });
        }
    }
    ~Language()
    {
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }

private:
    std::unique_ptr<QTranslator> m_translator;
};

QString describe(const QWidget *w, const QString &text)
{
    return w->objectName() + QStringLiteral(" \"") + text + u'"';
}

// Every text of a window that does not fit the room its widget has.
QStringList cutTexts(QWidget *top)
{
    QStringList cut;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        if (w->isHidden())
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height())
                    cut << QStringLiteral("label (wrapped) ") + describe(label, label->text());
            } else if (label->sizeHint().width() > label->width()) {
                cut << QStringLiteral("label ") + describe(label, label->text())
                           + QStringLiteral(" needs %1 has %2")
                                 .arg(label->sizeHint().width())
                                 .arg(label->width());
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            // A push button's least width (80 pixels in most styles) is no cut:
            // its text with the style's margins is what must fit.
            const QStyle *style = button->style();
            const auto *push = qobject_cast<QPushButton *>(button);
            const int needed
                = push ? push->fontMetrics().size(Qt::TextShowMnemonic, push->text()).width()
                             + style->pixelMetric(QStyle::PM_ButtonMargin)
                             + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth)
                             + (push->autoDefault() || push->isDefault()
                                    ? 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator)
                                    : 0)
                       : button->sizeHint().width();
            if (!button->text().isEmpty() && needed > button->width())
                cut << QStringLiteral("button ") + describe(button, button->text())
                           + QStringLiteral(" needs %1 has %2").arg(needed).arg(button->width());
        } else if (auto *list = qobject_cast<QListWidget *>(w)) {
            for (int i = 0; i < list->count(); ++i) {
                const QString text = list->item(i)->text();
                if (list->fontMetrics().horizontalAdvance(text) > list->viewport()->width())
                    cut << QStringLiteral("list entry ") + describe(list, text);
            }
        } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
            for (QAction *a : bar->actions()) {
                const QRect r = bar->actionGeometry(a);
                if (r.isEmpty() || r.right() >= bar->width())
                    cut << QStringLiteral("menu bar item ") + describe(bar, a->text());
            }
        } else if (auto *menu = qobject_cast<QMenu *>(w)) {
            menu->ensurePolished();
            const int room = menu->sizeHint().width();
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator() && menu->fontMetrics().horizontalAdvance(a->text()) > room)
                    cut << QStringLiteral("menu item ") + describe(menu, a->text());
            }
        }
        // A control outside its window is cut by the window's edge.
        if (w != top && w->parentWidget() && !qobject_cast<QMenu *>(w) && !w->isWindow()
            && !w->parentWidget()->rect().contains(w->geometry())
            && w->parentWidget()->isVisibleTo(top))
            cut << QStringLiteral("outside its parent: ") + w->objectName();
    }
    return cut;
}

// The main window's controls that would overlap a neighbour.
QStringList overlaps(QWidget *central)
{
    QStringList out;
    QList<QWidget *> controls;
    for (QObject *o : central->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isHidden() && (qobject_cast<QLabel *>(w) || !qobject_cast<QFrame *>(w)))
            controls << w;
    }
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            // The design's rows of check boxes touch by a pixel.
            const QRect both = controls[i]->geometry() & controls[j]->geometry();
            if (both.width() > 2 && both.height() > 2)
                out << controls[i]->objectName() + QStringLiteral(" and ")
                           + controls[j]->objectName();
        }
    }
    return out;
}

// Texts the status bar shows, as (context, source).
const std::pair<const char *, const char *> StatusTexts[] = {
    {"MainWindow", "Ready"},
    {"BoardConnection", "Opening Port"},
    {"BoardConnection", "Checking for QOV"},
    {"BoardConnection", "Found QOV"},
    {"BoardConnection", "Closing Port"},
    {"BoardConnection", "QOV Not Found"},
    {"BoardConnection", "Err: Incorrect QOV Version"},
    {"SettingsTransactions", "Reading settings..."},
    {"SettingsTransactions", "Reading settings again..."},
    {"SettingsTransactions", "Checking settings again..."},
    {"SettingsTransactions", "Read Settings"},
    {"SettingsTransactions", "Err: Read Incomplete"},
    {"SettingsTransactions", "Writting Settings..."},
    {"SettingsTransactions", "Wrote Settings Succesfully"},
    {"SettingsTransactions", "Err: Write Stopped"},
    {"SettingsTransactions", "Err: Write Failed"},
    {"SettingsView", "Not started: another command is using the port"},
    {"SettingsView", "Not started: Learn Mode holds the port (press Done)"},
    {"SettingsView", "Folder not kept: the preferences cannot be saved"},
    {"ProgrammerSelection", "Set for this run only: the preferences cannot be saved"},
};

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void pseudoLanguage()
    {
        // Longer and accented, placeholders and mnemonics kept.
        QCOMPARE(pseudo(QStringLiteral("Read Values")), QStringLiteral("Réád Válúéš ŵŵŵŵ"));
        QCOMPARE(pseudo(QStringLiteral("&COM%1")), QStringLiteral("&CÓM%1 ŵŵ"));
    }

    void nothingCut_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "";
        QTest::newRow("pseudo-language, 40 % longer") << "pseudo";
        QTest::newRow("German") << "de";
        QTest::newRow("Spanish") << "es";
    }
    // Main window (its menus and every status text), learn window with an
    // entry, code list, Check Connection.
    void nothingCut()
    {
        QFETCH(QString, language);
        const Language chosen(language);
        GuiHarness h;
        h.storeRegular(QStringLiteral("2"), QStringLiteral("1"));
        QVERIFY(h.load());
        h.form->show();
        QStringList cut;
        for (const auto &[context, source] : StatusTexts) {
            h.form->setStatusBarText(QCoreApplication::translate(context, source));
            cut << cutTexts(h.form.get());
        }
        for (QMenu *menu : h.form->findChildren<QMenu *>())
            cut << cutTexts(menu);
        cut << overlaps(h.form->centralWidget());

        LearnWindow learn(*h.session);
        learn.show();
        auto *list = learn.findChild<QListWidget *>(QStringLiteral("List1"));
        list->addItem(QCoreApplication::translate("LearnReport", "Code: ") + "0A51EF");
        cut << cutTexts(&learn);
        learn.findChild<QPushButton *>(QStringLiteral("Command2"))
            ->setText(QCoreApplication::translate("LearnWindow", "Done"));
        cut << cutTexts(&learn);

        CodeListWindow codes;
        codes.show();
        cut << cutTexts(&codes);

        // A board without power: a failed step, and the longest fix under it.
        h.board.setGreeting({}), h.board.setVersionAnswer({});
        h.action(QStringLiteral("checkConnectionMenu"))->trigger();
        QWidget *check = topLevel(QStringLiteral("FormCheckConnection"));
        QVERIFY(check);
        QVERIFY(check->findChild<QLabel *>(QStringLiteral("fixText")));
        cut << cutTexts(check);
        check->close();

        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }

    // A learned code, listed with the language's word for "Code", still drags its code.
    void learnedCodeDrags()
    {
        const Language chosen(QStringLiteral("es"));
        CodeDragList list;
        list.addItem(LearnReport::entryText(*IrCode::fromText(QStringLiteral("0A51EF"))));
        QCOMPARE(list.item(0)->text(), QStringLiteral("Código: 0A51EF"));
        std::unique_ptr<QMimeData> data(list.model()->mimeData({list.model()->index(0, 0)}));
        QVERIFY(data);
        QCOMPARE(data->data(QLatin1String(CodeMimeType)), QByteArray("0A51EF"));
    }

    void translated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("readValues");
        QTest::addColumn<QString>("toolsMenu");
        QTest::addColumn<QString>("ready");
        QTest::addColumn<QString>("heldStatus"); // Read Values while Learn Mode holds the port
        QTest::addColumn<QString>("refusal");    // the start of Write All's refusal on blank fields
        QTest::addColumn<QString>("tip");        // a code field's tool tip

        QTest::newRow("German") << "de"
                                << "Werte lesen"
                                << "Werkzeuge"
                                << "Bereit"
                                << "Nicht gestartet: der Lernmodus belegt den Port (Fertig drücken)"
                                << "Alle schreiben wurde nicht gestartet"
                                << "Taste: Auswahl";
        QTest::newRow("Spanish")
            << "es"
            << "Leer valores"
            << "Herramientas"
            << "Listo"
            << "No iniciado: el modo de aprendizaje ocupa el puerto (pulse Terminar)"
            << "Escribir todo no se inició"
            << "Botón: Seleccionar";
    }
    // The window's texts, a message box and a status text come out in the language;
    // the trace and the stored preferences are those of English, byte for byte.
    void translated()
    {
        QFETCH(QString, language);
        QFETCH(QString, readValues);
        QFETCH(QString, toolsMenu);
        QFETCH(QString, ready);
        QFETCH(QString, heldStatus);
        QFETCH(QString, refusal);
        QFETCH(QString, tip);

        const auto run = [](const QString &lang, QStringList *seen) {
            const Language chosen(lang);
            GuiHarness h;
            // A first start: the store gets its keys written.
            QVERIFY(h.load());
            h.messages.clear();
            h.find<QAbstractButton>(QStringLiteral("Command2"))->click(); // blank fields
            *seen << h.find<QAbstractButton>(QStringLiteral("Command1"))->text()
                  << h.find<QMenu>(QStringLiteral("toolsmenu"))->title() << h.form->statusText()
                  << (h.messages.m_shown.isEmpty() ? QString() : h.messages.m_shown.first().text);
            // Settings choices end on the simulated board's USB programmer, COM 1.
            h.form->progTypeMenu(1)->trigger();
            h.form->comPortItem(3)->trigger();
            h.form->progTypeMenu(2)->trigger();
            h.form->comPortItem(1)->trigger();
            h.find<QAbstractButton>(QStringLiteral("Command1"))->click();
            h.session->link().setHeldByLearnMode(true);
            h.find<QAbstractButton>(QStringLiteral("Command1"))->click();
            h.session->link().setHeldByLearnMode(false);
            *seen << h.form->statusText() << h.text(1)->toolTip();
            QStringList stored;
            for (auto it = h.store.m_values.cbegin(); it != h.store.m_values.cend(); ++it)
                stored << it.key() + u'=' + it.value();
            stored.sort();
            *seen << stored.join(u'\n') << h.session->log().lines().join(u'\n')
                  << h.text(1)->text();
        };
        QStringList english;
        QStringList shown;
        run(QString(), &english);
        run(language, &shown);
        QCOMPARE(shown.size(), 9);
        QCOMPARE(shown.at(0), readValues);
        QCOMPARE(shown.at(1), toolsMenu);
        QCOMPARE(shown.at(2), ready);
        QVERIFY2(shown.at(3).startsWith(refusal), qPrintable(shown.at(3)));
        QCOMPARE(shown.at(4), heldStatus);
        QCOMPARE(shown.at(5), tip);
        QCOMPARE(shown.at(6), english.at(6)); // stored preferences
        QCOMPARE(shown.at(7), english.at(7)); // the trace
        QCOMPARE(shown.at(8), english.at(8)); // a code field's value
        QVERIFY(!shown.at(7).isEmpty());
    }

    void checkConnection_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("menuItem"); // Tools > Check Connection
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("failedRow");
        QTest::addColumn<QString>("fixStart"); // then the menu path, as the menus read
        QTest::newRow("German")
            << "de"
            << "Verbindung prüfen"
            << "1. Welcher Port: OK - die eingebaute simulierte Platine, als serieller Programmer "
               "(RS232)"
            << "6. Gruß: FEHLER - kein Gruß nach dem Aus- und Einschalten, aber die Platine "
               "antwortet: sie hat eine eigene Stromversorgung (in der Xbox eingebaut)"
            << "Abhilfe: Wählen Sie ";
        QTest::newRow("Spanish")
            << "es"
            << "Comprobar la conexión"
            << "1. Qué puerto: OK - la placa simulada integrada, como programador serie (RS232)"
            << "6. Saludo: FALLO - sin saludo tras reiniciar la alimentación, pero la placa "
               "responde: tiene alimentación propia (instalada en la Xbox)"
            << "Solución: Elija ";
    }
    // Check Connection, opened from the Tools menu by its caption: the steps and the
    // fix in the language, the fix's menu path as the menus read, and Copy the very
    // text `qovctl doctor` prints in that language.
    void checkConnection()
    {
        QFETCH(QString, language);
        QFETCH(QString, menuItem);
        QFETCH(QString, firstRow);
        QFETCH(QString, failedRow);
        QFETCH(QString, fixStart);
        const Language chosen(language);
        GuiHarness h;
        h.storeRegular(QStringLiteral("1"), QStringLiteral("1"));
        QVERIFY(h.load());
        h.board.setProgrammerType(1);
        h.board.setSelfPowered(true);
        const QList<QAction *> tools = h.find<QMenu>(QStringLiteral("toolsmenu"))->actions();
        const auto item = std::find_if(tools.cbegin(), tools.cend(),
                                       [&](const QAction *a) { return a->text() == menuItem; });
        QVERIFY(item != tools.cend());
        (*item)->trigger();
        QWidget *check = topLevel(QStringLiteral("FormCheckConnection"));
        QVERIFY(check);
        QCOMPARE(check->findChild<QLabel *>(QStringLiteral("stepText_1"))->text(), firstRow);
        QCOMPARE(check->findChild<QLabel *>(QStringLiteral("stepText_6"))->text(), failedRow);
        const QString path = h.find<QMenu>(QStringLiteral("settingsmenu"))->title().remove(u'&')
                             + QStringLiteral(" > \"")
                             + h.action(QStringLiteral("qovselfpowered"))->text() + u'"';
        QCOMPARE(check->findChild<QLabel *>(QStringLiteral("fixText"))->text(), fixStart + path);

        check->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        QovctlRig rig;
        rig.board.setSelfPowered(true);
        QCOMPARE(rig.run({QStringLiteral("--simulate"), QStringLiteral("doctor")}), 1);
        QCOMPARE(QApplication::clipboard()->text(), rig.out);
        delete check;
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
