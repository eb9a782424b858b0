#include "learn/gui/LearnWindow.h"

#include "codes/gui/CodeDragList.h"
#include "gui/Twips.h"
#include "learn/LearnReport.h"
#include "session/Session.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimer>

namespace {
QString StartCaption() { return LearnWindow::tr("Start"); }
QString ExitCaption() { return LearnWindow::tr("Exit"); }
QString DoneCaption() { return LearnWindow::tr("Done"); }
} // namespace

LearnWindow::LearnWindow(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_session(session), m_learn(std::make_unique<LearnSession>(session.link(), session.port(),
                                                                 LearnSession::Reports::OnePerPoll))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Learn Mode"));
    setFixedSize(twips(*this, 4995), twips(*this, 3690));

    // Its entries drag onto the main window's code fields like the code list's.
    m_list = new CodeDragList(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twips(*this, 315), twips(*this, 315), twips(*this, 4110),
                        twips(*this, 2400));

    m_start = new QPushButton(StartCaption(), this);
    m_start->setObjectName(QLatin1String(StartButton));
    m_start->setGeometry(twips(*this, 945), twips(*this, 2940), twips(*this, 1065),
                         twips(*this, 435));

    m_exit = new QPushButton(ExitCaption(), this);
    m_exit->setObjectName(QLatin1String(ExitButton));
    m_exit->setGeometry(twips(*this, 2940), twips(*this, 2940), twips(*this, 1065),
                        twips(*this, 435));
    // Enter presses the focused button, as Space does (outside a dialog only an
    // auto-default button takes Enter).
    for (QPushButton *button : {m_start, m_exit})
        button->setAutoDefault(true);
    fitButtonCaptions();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(LearnSession::PollIntervalMs);

    setTabOrder(m_list, m_start);
    setTabOrder(m_start, m_exit);

    connect(m_start, &QPushButton::clicked, this, &LearnWindow::startLearning);
    connect(m_exit, &QPushButton::clicked, this, &LearnWindow::finishLearning);
    connect(m_timer, &QTimer::timeout, this, &LearnWindow::pollLearnReports);
}

// Destroyed without closing (the program is ending): no closing steps and no
// reminder; the session ends the hold.
LearnWindow::~LearnWindow() = default;

bool LearnWindow::isLearning() const { return m_timer->isActive(); }

void LearnWindow::startLearning()
{
    if (isLearning())
        return;
    // Opening lets clicks through, and messages wait for OK: Exit and the close
    // box must not take the window away while Start is still using it.
    const QScopedValueRollback<bool> starting(m_starting, true);
    const LearnSession::Start started = m_learn->start();
    if (m_learn->usbPortFound())
        emit usbPortFound();
    switch (started) {
    case LearnSession::Start::Learning: enterLearning(); break;
    case LearnSession::Start::Busy:
        // Another command owns the port right now.
        QApplication::beep();
        break;
    case LearnSession::Start::Stopped: break;
    case LearnSession::Start::PortFailed: stopOnPortFailure(); break;
    }
}

void LearnWindow::finishLearning()
{
    if (m_starting) {
        QApplication::beep();
        return;
    }
    closePortUnlessInUse();
    if (m_exit->text() != DoneCaption()) {
        close();
        return;
    }
    if (isLearning())
        becomeIdle();
}

void LearnWindow::pollLearnReports()
{
    if (!isLearning())
        return;
    const LearnSession::Poll poll = m_learn->poll();
    for (const IrCode &code : poll.codes) {
        m_list->addItem(LearnReport::entryText(code));
        m_list->setCurrentRow(m_list->count() - 1);
        m_list->scrollToItem(m_list->currentItem());
    }
    if (poll.portFailed)
        stopOnPortFailure();
    else if (poll.portClosed)
        becomeIdle();
}

void LearnWindow::closeEvent(QCloseEvent *event)
{
    if (m_starting) {
        QApplication::beep();
        event->ignore();
        return;
    }
    closePortUnlessInUse();
    if (isLearning()) {
        becomeIdle();
        // Leaving learn mode needs a code from the remote; nothing is sent to end it.
        m_session.messages().showMessage(
            tr("Please press ANY button on the remote while pointing at the QOV, then press OK"));
    }
    event->accept();
}

void LearnWindow::fitButtonCaptions()
{
    // A caption longer than the design's (a translation) widens its button about
    // its centre; Exit and Done share a button, so it fits the longer of them.
    for (QPushButton *button : {m_start, m_exit}) {
        // The text with the style's margins, without the least width styles give
        // every button (which the design's buttons are narrower than).
        const int margins = style()->pixelMetric(QStyle::PM_ButtonMargin)
                            + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth)
                            + 2 * style()->pixelMetric(QStyle::PM_ButtonDefaultIndicator);
        int needed = 0;
        const QStringList captions = button == m_start ? QStringList{StartCaption()}
                                                       : QStringList{ExitCaption(), DoneCaption()};
        for (const QString &caption : captions)
            needed = qMax(needed, button->fontMetrics().size(Qt::TextShowMnemonic, caption).width()
                                      + margins);
        if (needed > button->width()) {
            const QRect r = button->geometry();
            button->setGeometry(r.center().x() - needed / 2, r.y(), needed, r.height());
        }
    }
}

void LearnWindow::enterLearning()
{
    m_timer->start();
    m_start->setEnabled(false);
    m_exit->setText(DoneCaption());
}

void LearnWindow::becomeIdle()
{
    const bool wasLearning = isLearning();
    m_learn->stop();
    m_timer->stop();
    m_start->setEnabled(true);
    m_exit->setText(ExitCaption());
    if (wasLearning)
        emit learningEnded();
}

void LearnWindow::closePortDirectly()
{
    ProgrammerPort &comm = m_session.port();
    if (comm.isOpen())
        comm.setOpen(false);
}

void LearnWindow::closePortUnlessInUse()
{
    // Another command mid-run on the port (its open step lets clicks through)
    // keeps it: closing it would break that command halfway.
    if (!m_session.link().isBusy())
        closePortDirectly();
}

void LearnWindow::stopOnPortFailure()
{
    ProgrammerPort &comm = m_session.port();
    const PortError error = comm.lastError();
    closePortDirectly();
    becomeIdle();
    m_session.messages().showMessage(
        tr("Learn mode stopped: the programmer port %1 stopped working.\r\n\r\n"
           "Error: %2\r\n%3")
            .arg(comm.deviceName(), QString::number(error.number), error.description));
}
