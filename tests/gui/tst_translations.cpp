// The product in other languages. Every shipped catalogue is complete and in step with
// the sources (no entry unfinished or left over, placeholders kept); the environment
// chooses the catalogue; a pseudo-language (every catalogued text about 40 % longer, with
// accents) and the shipped German and Spanish leave no caption, label, button, menu item
// or status text cut; German and Spanish come out translated in the windows, Check
// Connection, qovprog's early answers and qovctl, while the trace, the stored preferences,
// JSON and the exit statuses stay byte for byte those of English.
#include "support/GuiHarness.h"
#include "support/QovctlRig.h"
#include "translations/Languages.h"

#include "app/CommandLine.h"
#include "codes/CodeMime.h"
#include "codes/gui/CodeDragList.h"
#include "codes/gui/CodeListWindow.h"
#include "device/QtProgrammerPort.h"
#include "learn/LearnReport.h"
#include "learn/gui/LearnWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>
#include <cmath>

namespace {

const QString SourceDir = QStringLiteral(QOV_SOURCE_DIR);

// A Qt Linguist .ts catalogue: every message with its context, source, kind and
// translation(s).
struct TsMessage
{
    QString context;
    QString source;
    bool numerus = false;
    QString type;             // "", "unfinished", "vanished" or "obsolete"
    QStringList translations; // one, or one per plural form
};

struct TsCatalogue
{
    QString language;
    QList<TsMessage> messages;
    QString error; // empty when the file was read whole

    // The text of an element, with lupdate's <byte value="xd"/> for characters XML cannot hold.
    static QString mixedText(QXmlStreamReader &xml)
    {
        QString text;
        const QString end = xml.name().toString();
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::Characters)
                text += xml.text();
            else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("byte"))
                text += QChar(
                    xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
            else if (token == QXmlStreamReader::EndElement && xml.name() == end)
                break;
        }
        return text;
    }

    static TsCatalogue parse(const QByteArray &data)
    {
        TsCatalogue out;
        QXmlStreamReader xml(data);
        QString context;
        TsMessage *message = nullptr;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("message"))
                message = nullptr;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const auto name = xml.name();
            if (name == QLatin1String("TS")) {
                out.language = xml.attributes().value(QLatin1String("language")).toString();
            } else if (name == QLatin1String("name") && !message) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                out.messages.append(TsMessage());
                message = &out.messages.last();
                message->context = context;
                message->numerus
                    = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (message && name == QLatin1String("source")) {
                message->source = mixedText(xml);
            } else if (message && name == QLatin1String("translation")) {
                message->type = xml.attributes().value(QLatin1String("type")).toString();
                if (!message->numerus)
                    message->translations << mixedText(xml);
            } else if (message && name == QLatin1String("numerusform")) {
                message->translations << mixedText(xml);
            }
        }
        if (xml.hasError())
            out.error = xml.errorString();
        return out;
    }

    static TsCatalogue read(const QString &path)
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            return parse(file.readAll());
        TsCatalogue out;
        out.error = file.errorString();
        return out;
    }
};

// The folders whose texts a person reads (the tests have none; the simulated board
// says when its port vanishes, as a real one does).
const QStringList TextFolders
    = {"app", "cli", "codes", "device", "diagnose", "learn", "session", "settings", "sim"};

// %1..%99 (also %L1) as a sorted list, and %n, which a plural form shows its count by.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("%L?(\\d{1,2}|n)"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    found.sort();
    return found;
}

QString where(const TsMessage &m) { return m.context + QStringLiteral(": \"") + m.source + u'"'; }

// What is wrong with a catalogue, one line per entry.
QStringList problemsOf(const TsCatalogue &catalogue)
{
    QStringList problems;
    if (!catalogue.error.isEmpty())
        problems << QStringLiteral("unreadable: ") + catalogue.error;
    if (catalogue.messages.isEmpty())
        problems << QStringLiteral("no entries");
    for (const TsMessage &m : catalogue.messages) {
        if (!m.type.isEmpty()) {
            problems << m.type + QStringLiteral(": ") + where(m);
            continue;
        }
        if (m.translations.isEmpty()) {
            problems << QStringLiteral("unfinished: ") + where(m);
            continue;
        }
        for (const QString &t : m.translations) {
            if (t.isEmpty())
                problems << QStringLiteral("empty translation: ") + where(m);
            else if (placeholders(t) != placeholders(m.source))
                problems << QStringLiteral("placeholders %1 instead of %2: ")
                                    .arg(placeholders(t).join(u','),
                                         placeholders(m.source).join(u','))
                                + where(m);
        }
    }
    return problems;
}

QByteArray ts(const QByteArray &messages)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" "
           "language=\"de\">\n<context>\n<name>Ctx</name>\n"
           + messages + "\n</context>\n</TS>\n";
}

// "LANGUAGE=es:de LANG=de_DE.UTF-8" as the environment.
Languages::Environment environment(const QString &assignments)
{
    QHash<QString, QString> vars;
    for (const QString &pair : assignments.split(u' ', Qt::SkipEmptyParts))
        vars.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return [vars](const char *name) { return vars.value(QLatin1String(name)); };
}

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

// Answers for exactly the texts the German catalogue holds, so a text the catalogue
// lacks stays English and shows as such. The application owns it, as it owns the
// shipped languages' translators.
class PseudoTranslator : public QTranslator
{
public:
    PseudoTranslator() : QTranslator(QCoreApplication::instance())
    {
        const QString german = SourceDir + QStringLiteral("/translations/qovprog_de.ts");
        for (const TsMessage &m : TsCatalogue::read(german).messages)
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

// One language for the rest of a test ("pseudo", a catalogue's suffix, or empty for
// English), English again after it.
struct Language
{
    explicit Language(const QString &name)
    {
        if (name == QLatin1String("pseudo"))
            QCoreApplication::installTranslator(new PseudoTranslator);
        else if (!name.isEmpty())
            Languages::install(*QCoreApplication::instance(),
                               environment(QStringLiteral("LANGUAGE=") + name));
    }
    ~Language()
    {
        for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
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
    // The check itself, on small catalogues: each fault it must find, and a clean one.
    void findsEachFault_data()
    {
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<QString>("problem"); // the start of the one problem, or empty

        QTest::newRow("complete") << QByteArray(
            "<message><source>Read %1 of %2</source>"
            "<translation>%2: %1 gelesen</translation></message>")
                                  << QString();
        QTest::newRow("carriage return kept")
            << QByteArray("<message><source>A.<byte value=\"xd\"/>\nB %1</source>"
                          "<translation>A.<byte value=\"xd\"/>\nB %1</translation></message>")
            << QString();
        QTest::newRow("unfinished even with a text")
            << QByteArray("<message><source>Ready</source><translation "
                          "type=\"unfinished\">Bereit</translation></message>")
            << "unfinished: Ctx: \"Ready\"";
        QTest::newRow("empty translation")
            << QByteArray("<message><source>Ready</source><translation></translation></message>")
            << "empty translation: Ctx: \"Ready\"";
        QTest::newRow("placeholder lost")
            << QByteArray("<message><source>COM %1 on %2</source>"
                          "<translation>COM %1</translation></message>")
            << "placeholders 1 instead of 1,2";
        QTest::newRow("plural form without its count")
            << QByteArray("<message numerus=\"yes\"><source>%n location(s)</source><translation>"
                          "<numerusform>%n Adresse</numerusform><numerusform>Adressen</numerusform>"
                          "</translation></message>")
            << "placeholders  instead of n";
        QTest::newRow("no entries") << QByteArray() << "no entries";
    }
    void findsEachFault()
    {
        QFETCH(QByteArray, messages);
        QFETCH(QString, problem);
        const QStringList problems = problemsOf(TsCatalogue::parse(ts(messages)));
        if (problem.isEmpty()) {
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        } else {
            QCOMPARE(problems.size(), 1);
            QVERIFY2(problems.first().startsWith(problem), qPrintable(problems.first()));
        }
    }

    void shipped_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(SourceDir + QStringLiteral("/translations"))
                                      .entryList({QStringLiteral("*.ts")}, QDir::Files, QDir::Name);
        QVERIFY2(files.contains(QStringLiteral("qovprog_de.ts"))
                     && files.contains(QStringLiteral("qovprog_es.ts")),
                 qPrintable(files.join(u' ')));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << file;
    }
    // Every entry translated, none left over, the placeholders matching; and lupdate run
    // over the sources adds no new text and retires none: a text added or changed in the
    // code without its translation fails here.
    void shipped()
    {
        QFETCH(QString, file);
        const TsCatalogue shipped
            = TsCatalogue::read(SourceDir + QStringLiteral("/translations/") + file);
        QVERIFY2(problemsOf(shipped).isEmpty(), qPrintable(problemsOf(shipped).join(u'\n')));
        // The language the file is named for is the one it says it holds.
        QCOMPARE(shipped.language, file.section(u'_', 1).section(u'.', 0, 0));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString copy = dir.filePath(file);
        QVERIFY(QFile::copy(SourceDir + QStringLiteral("/translations/") + file, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QStringList args;
        for (const QString &folder : TextFolders)
            args << SourceDir + u'/' + folder;
        args << QStringLiteral("-extensions") << QStringLiteral("cpp,h")
             << QStringLiteral("-locations") << QStringLiteral("none") << QStringLiteral("-silent")
             << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(QOV_LUPDATE), args);
        QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
        const TsCatalogue updated = TsCatalogue::read(copy);
        const QStringList problems = problemsOf(updated);
        QVERIFY2(problems.isEmpty(),
                 qPrintable(QStringLiteral("run `cmake --build <dir> --target "
                                           "update_translations` and translate:\n")
                            + problems.join(u'\n')));
        QCOMPARE(updated.messages.size(), shipped.messages.size());
    }

    void chosen_data()
    {
        QTest::addColumn<QString>("env");
        QTest::addColumn<QString>("catalogue"); // empty: English

        // clang-format off
        QTest::newRow("nothing set") << "" << "";
        QTest::newRow("LANG with a codeset and a modifier") << "LANG=es_ES.UTF-8@euro" << "es";
        QTest::newRow("a country without a catalogue of its own") << "LANG=de_AT" << "de";
        QTest::newRow("LC_MESSAGES before LANG") << "LC_MESSAGES=es_MX LANG=de_DE" << "es";
        QTest::newRow("LC_ALL before LC_MESSAGES") << "LC_ALL=de_CH LC_MESSAGES=es_ES" << "de";
        QTest::newRow("LANGUAGE before LC_ALL") << "LANGUAGE=es LC_ALL=de_DE" << "es";
        QTest::newRow("LANGUAGE's list, first one the product has")
            << "LANGUAGE=fr:es:de LANG=de_DE" << "es";
        QTest::newRow("LANGUAGE with nothing the product has: LANG next")
            << "LANGUAGE=fr:it LANG=de_DE.UTF-8" << "de";
        QTest::newRow("LANGUAGE empty is not set") << "LANGUAGE= LANG=es_ES" << "es";
        QTest::newRow("English asked for first") << "LANGUAGE=en_GB:de LANG=de_DE" << "";
        QTest::newRow("C locale") << "LC_ALL=C LANG=de_DE" << "";
        QTest::newRow("a language the product does not speak") << "LANG=fr_FR.UTF-8" << "";
        // clang-format on
    }
    // The catalogue the environment chooses, among the two the product has.
    void chosen()
    {
        QFETCH(QString, env);
        const QStringList available = {QStringLiteral("de"), QStringLiteral("es")};
        QTEST(Languages::choose(Languages::requested(environment(env)),
                                [&](const QString &suffix) { return available.contains(suffix); }),
              "catalogue");
    }

    void pseudoLanguage()
    {
        // Longer and accented, placeholders and mnemonics kept.
        QCOMPARE(pseudo(QStringLiteral("Read Values")), QStringLiteral("Réád Válúéš ŵŵŵŵ"));
        QCOMPARE(pseudo(QStringLiteral("&COM%1")), QStringLiteral("&CÓM%1 ŵŵ"));
    }

    void nothingCut_data()
    {
        QTest::addColumn<QString>("language");
        // English is shorter than the pseudo-language everywhere.
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

    void translated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts"); // the start of each text translated() collects

        QTest::newRow("German")
            << "de"
            << QStringList{"Werte lesen",
                           "Werkzeuge",
                           "Bereit",
                           "Alle schreiben wurde nicht gestartet",
                           "Nicht gestartet: der Lernmodus belegt den Port (Fertig drücken)",
                           "Taste: Auswahl",
                           "Code: 0A51EF",
                           "qovprog: unbekanntes Argument '--bogus'\nAufruf: qovprog",
                           "Ungültige Portnummer"};
        QTest::newRow("Spanish")
            << "es"
            << QStringList{"Leer valores",
                           "Herramientas",
                           "Listo",
                           "Escribir todo no se inició",
                           "No iniciado: el modo de aprendizaje ocupa el puerto (pulse Terminar)",
                           "Botón: Seleccionar",
                           "Código: 0A51EF",
                           "qovprog: argumento desconocido '--bogus'\nUso: qovprog",
                           "Número de puerto no válido"};
    }
    // The window's texts, a message box, a status text, a learned code's entry, qovprog's
    // answer before any window and a port's refusal come out in the language; the stored
    // preferences, the trace, a code field's value, the code the entry drags and the
    // refusal as the trace keeps it are those of English, byte for byte.
    void translated()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        const auto run = [](const QString &lang, QStringList *shown, QStringList *kept) {
            const Language chosen(lang);
            GuiHarness h;
            // A first start: the store gets its keys written.
            QVERIFY(h.load());
            h.messages.clear();
            h.find<QAbstractButton>(QStringLiteral("Command2"))->click(); // blank fields
            *shown << h.find<QAbstractButton>(QStringLiteral("Command1"))->text()
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
            CodeDragList list;
            list.addItem(LearnReport::entryText(*IrCode::fromText(QStringLiteral("0A51EF"))));
            std::unique_ptr<QMimeData> drag(list.model()->mimeData({list.model()->index(0, 0)}));
            const auto answer = CommandLine::earlyExit({QStringLiteral("--bogus")});
            QtProgrammerPort port;
            port.setPortNumber(0);
            QVERIFY(drag && answer && !port.setOpen(true));
            *shown << h.form->statusText() << h.text(1)->toolTip() << list.item(0)->text()
                   << answer->text << port.lastError().description;
            QStringList stored;
            for (auto it = h.store.m_values.cbegin(); it != h.store.m_values.cend(); ++it)
                stored << it.key() + u'=' + it.value();
            stored.sort();
            *kept << stored.join(u'\n') << h.session->log().lines().join(u'\n') << h.text(1)->text()
                  << QString::fromLatin1(drag->data(QLatin1String(CodeMimeType)))
                  << port.lastError().tracedDescription();
        };
        QStringList shown, kept, english;
        run(language, &shown, &kept);
        run(QString(), &english, &english);
        QCOMPARE(shown.size(), texts.size());
        for (qsizetype i = 0; i < texts.size(); ++i)
            QVERIFY2(shown.at(i).startsWith(texts.at(i)), qPrintable(shown.at(i)));
        QVERIFY(!kept.value(1).isEmpty()); // a trace was written
        QCOMPARE(kept, english.mid(texts.size()));
    }

    void checkConnection_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("menuItem"); // Tools > Check Connection
        QTest::addColumn<QString>("failedRow");
        QTest::addColumn<QString>("fixStart"); // then the menu path, as the menus read
        QTest::newRow("German")
            << "de"
            << "Verbindung prüfen"
            << "6. Gruß: FEHLER - kein Gruß nach dem Aus- und Einschalten, aber die Platine "
               "antwortet: sie hat eine eigene Stromversorgung (in der Xbox eingebaut)"
            << "Abhilfe: Wählen Sie ";
        QTest::newRow("Spanish")
            << "es"
            << "Comprobar la conexión"
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
        QCOMPARE(check->findChild<QLabel *>(QStringLiteral("stepText_6"))->text(), failedRow);
        const QString path = h.find<QMenu>(QStringLiteral("settingsmenu"))->title().remove(u'&')
                             + QStringLiteral(" > \"")
                             + h.action(QStringLiteral("qovselfpowered"))->text() + u'"';
        QCOMPARE(check->findChild<QLabel *>(QStringLiteral("fixText"))->text(), fixStart + path);

        check->findChild<QPushButton *>(QStringLiteral("copyButton"))->click();
        QovctlRig rig;
        rig.board.setSelfPowered(true);
        QCOMPARE(rig.run({QStringLiteral("--simulate"), QStringLiteral("doctor")}), 1);
        QVERIFY2(rig.out.contains(failedRow), qPrintable(rig.out));
        QCOMPARE(QApplication::clipboard()->text(), rig.out);
        delete check;
    }

    // qovctl: what a person reads is in the language; JSON, the trace and the exit
    // status are those of English, byte for byte.
    void qovctl_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("board");     // "", "silent", "jumper for USB"
        QTest::addColumn<QString>("stream");    // "out", "err", or "file": the --debug-log file
        QTest::addColumn<QStringList>("texts"); // what it holds; none: English's very bytes

        // clang-format off
        QTest::newRow("German read: a setting, a flag and a button by their names")
            << "de" << QStringList{"read"} << "" << "out"
            << QStringList{"Tastendrücke für Ausschalten", "Einschalten erlauben", "FA52D0 (Auswahl)"};
        QTest::newRow("German write")
            << "de" << QStringList{"write", "--defaults"} << "" << "out"
            << QStringList{"Alle 20 Speicherstellen geschrieben und geprüft."};
        QTest::newRow("German: the board does not answer, and the doctor's hint")
            << "de" << QStringList{"read"} << "silent" << "err"
            << QStringList{"qovctl: QOV nicht gefunden an /dev/ttyS0 (COM 1)",
                           "Führen Sie 'qovctl doctor' aus, um die Ursache zu finden."};
        QTest::newRow("German: the port is not there")
            << "de" << QStringList{"read", "--port", "2"} << "" << "err"
            << QStringList{"COM 2 kann nicht geöffnet werden"};
        QTest::newRow("Spanish: a usage error")
            << "es" << QStringList{"read", "--port", "0"} << "" << "err"
            << QStringList{"--port debe ser un número de puerto COM de 1 a 255"};
        QTest::newRow("Spanish help")
            << "es" << QStringList{"--help"} << "" << "out"
            << QStringList{"Uso: qovctl [opciones] <orden> [argumentos]"};
        QTest::newRow("Spanish doctor: a board jumpered for the other programmer")
            << "es" << QStringList{"--simulate", "doctor"} << "jumper for USB" << "out"
            << QStringList{"la placa saluda con su patrón de configuración para el otro tipo de programador",
                           "Solución: El QOV (v2.5) está configurado para el programador tipo 'B' (USB)"};
        QTest::newRow("German read --json") << "de" << QStringList{"read", "--json"} << "" << "out" << QStringList();
        QTest::newRow("Spanish --json usage error, refused by the parser")
            << "es" << QStringList{"read", "--port", "0", "--json"} << "" << "out" << QStringList();
        QTest::newRow("German doctor --json, a failed step and its fix")
            << "de" << QStringList{"--simulate", "doctor", "--json"} << "silent" << "out" << QStringList();
        QTest::newRow("German trace of a read (-v writes the same to standard error)")
            << "de" << QStringList{"read", "--debug-log", "%p"} << "" << "file" << QStringList();
        QTest::newRow("Spanish trace of a port that is not there")
            << "es" << QStringList{"read", "--port", "2", "--debug-log", "%p"} << "" << "file" << QStringList();
        // clang-format on
    }
    void qovctl()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, args);
        QFETCH(QString, board);
        QFETCH(QString, stream);
        QFETCH(QStringList, texts);
        const auto run = [&](const QString &lang) {
            const Language chosen(lang);
            QovctlRig rig;
            if (board == QLatin1String("silent"))
                rig.board.setGreeting(QByteArray());
            else if (!board.isEmpty())
                rig.board.setJumperFor(UsbProgrammer);
            const int status = rig.run(args);
            QFile file(rig.path());
            const QString trace
                = QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
            return std::pair(status, stream == QLatin1String("out")   ? rig.out
                                     : stream == QLatin1String("err") ? rig.err
                                                                      : trace);
        };
        const auto [status, shown] = run(language);
        const auto [englishStatus, english] = run(QString());
        QCOMPARE(status, englishStatus);
        QVERIFY(!english.isEmpty());
        for (const QString &text : texts) {
            QVERIFY2(shown.contains(text), qPrintable(shown));
            QVERIFY2(!english.contains(text), "the English run says the same");
        }
        if (texts.isEmpty())
            QCOMPARE(shown, english);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
