#pragma once
// One main window over a simulated board on virtual time, with recorded
// messages, an in-memory preference store, a made-up host (never the real one)
// and an observable end of the program.
// Header only: it needs the widgets library, which only the window tests link.
#include "FakeSystemView.h"
#include "MemoryPreferenceStore.h"
#include "RecordingMessageBoxes.h"
#include "app/gui/CommandGate.h"
#include "app/gui/MainWindow.h"
#include "device/Clock.h"
#include "device/TextConversions.h"
#include "session/Session.h"
#include "settings/gui/FileDialogs.h"
#include "settings/gui/SettingsView.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <memory>

// The main window's message boxes as the user meets them: each runs the window's
// beforeMessage() first, as the program's boxes do, and is modal: the user's input
// still waiting for the blocked window when it opens is lost (the window system's
// queue meets a modal box so), which userInputLater() below models.
struct ModalMessageBoxes : RecordingMessageBoxes
{
    void showMessage(const QString &text, MessageIcon icon, const QString &title) override
    {
        if (beforeShow && !beforeShow()) {
            notShown << text;
            return;
        }
        droppedInput += int(waitingInput.size());
        waitingInput.clear();
        RecordingMessageBoxes::showMessage(text, icon, title);
    }
    std::function<bool()> beforeShow;
    QSet<int> waitingInput; // userInputLater() not handed in yet
    int droppedInput = 0;   // lost to a box
    QStringList notShown;   // boxes beforeShow() let go unshown
};

// The program's windows of this objectName that are shown ("Form2": the learn window).
inline QWidgetList shownWindows(const QString &name)
{
    QWidgetList out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            out << w;
    return out;
}

// Knows the folder it lives in, for messages that name it.
struct NamedPreferenceStore : MemoryPreferenceStore
{
    QString location() const override { return QStringLiteral("/home/u/.config/QOVPROGSOFT.conf"); }
};

// Open and Save answered with one file (none: cancelled) and "replace it?" with replace,
// remembering what each offered.
struct AnsweringDialogs : FileDialogs
{
    QString openFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        offered << caption << folder << filter;
        return answer;
    }
    QString saveFileName(QWidget *p, const QString &c, const QString &f, const QString &l) override
    {
        return openFileName(p, c, f, l);
    }
    bool confirmReplace(QWidget *, const QString &path) override
    {
        offered << "replace " + path;
        return replace;
    }
    QString answer;
    bool replace = true;
    QStringList offered;
};

struct GuiHarness
{
    explicit GuiHarness(bool usbAutomatic = false) : GuiHarness(nullptr, usbAutomatic) { }
    // Over another port than the simulated board's (port stays null then).
    GuiHarness(std::unique_ptr<ProgrammerPort> other, bool usbAutomatic) : board(clock)
    {
        if (!other) {
            auto simPort = std::make_unique<SimulatedPort>(board, clock);
            port = simPort.get();
            other = std::move(simPort);
        }
        session = std::make_unique<Session>(std::move(other), clock, messages,
                                            std::make_unique<EmptyHost>());
        session->log().enableInMemory();
        form = std::make_unique<MainWindow>(*session, messages, store);
        form->setUsbAutomaticProbe([this] { return usbAutomaticAvailable; });
        form->setQuitHandler([this] { ++quits; });
        form->findChild<SettingsView *>()->setFileDialogs(&dialogs); // nobody waits on a person
        usbAutomaticAvailable = usbAutomatic;
        messages.beforeShow = [this] { return form->beforeMessage(); };
        // What the status bar said at each refusal of input.
        QObject::connect(form->findChild<CommandGate *>(), &CommandGate::refused, form.get(),
                         [this] { refusals << form->statusText(); });
    }

    // The user's input while a command blocks the event loop: it waits in the queue and
    // runs when events next run, unless a modal box opens first (ModalMessageBoxes).
    void userInputLater(std::function<void()> input)
    {
        const int id = ++m_lastInput;
        messages.waitingInput.insert(id);
        QMetaObject::invokeMethod(
            form.get(),
            [this, id, input] {
                if (messages.waitingInput.remove(id))
                    input();
            },
            Qt::QueuedConnection);
    }

    // A store that has seen a start before: no first-time message.
    void storeRegular(const QString &progType, const QString &comPort)
    {
        store.m_values = {{QStringLiteral("FIRSTLOAD"), QStringLiteral("False")},
                          {QStringLiteral("ISQOVSELFPOWERED"), QStringLiteral("False")},
                          {QStringLiteral("FORCEPOWER"), QStringLiteral("False")},
                          {QStringLiteral("COMPORT"), comPort},
                          {QStringLiteral("PROGTYPE"), progType}};
    }

    bool load(const QStringList &args = {}) { return form->startUp(args); }

    // Where most window tests begin: a regular store (the USB programmer on COM 1 unless
    // told otherwise), started and shown.
    bool startShown(const QString &progType = QStringLiteral("2"),
                    const QString &comPort = QStringLiteral("1"))
    {
        storeRegular(progType, comPort);
        const bool started = load();
        form->show();
        return started;
    }

    template<typename T>
    T *find(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    QAction *action(const QString &name) const { return find<QAction>(name); }
    QLineEdit *text(int i) const { return find<QLineEdit>(QStringLiteral("Text%1").arg(i)); }
    QCheckBox *check(int i) const { return find<QCheckBox>(QStringLiteral("Check%1").arg(i)); }
    // What the settings show: Text1..Text8, then the four boxes as x, - or ? (unknown).
    QString fields(QChar separator) const
    {
        QStringList shown;
        for (int i = 1; i <= 12; ++i)
            shown << (i <= 8 ? text(i)->text() : QString("-?x").at(check(i - 8)->checkState()));
        return shown.join(separator);
    }
    QString stored(const char *key) const { return store.m_values.value(QLatin1String(key)); }
    QList<int> checkedComPorts() const
    {
        QList<int> out;
        for (int i = 1; i <= 21; ++i)
            if (form->comPortItem(i)->isChecked())
                out << i;
        return out;
    }

    VirtualClock clock;
    SimBoard board;
    SimulatedPort *port = nullptr;
    ModalMessageBoxes messages;
    NamedPreferenceStore store;
    bool usbAutomaticAvailable = false;
    int quits = 0;
    QStringList refusals;
    int m_lastInput = 0;
    AnsweringDialogs dialogs;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> form;
};
