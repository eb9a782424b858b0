#include "learn/gui/LearnWindow.h"

#include "app/Session.h"
#include "codes/gui/CodeDragList.h"
#include "learn/LearnReport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace {
const QString StartCaption = QStringLiteral("Start");
const QString ExitCaption = QStringLiteral("Exit");
const QString DoneCaption = QStringLiteral("Done");
constexpr int PollIntervalMs = 700;
constexpr int SettleAfterStartMs = 300;
constexpr int SettleAfterReportMs = 50;
} // namespace

LearnWindow::LearnWindow(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_session(session)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Learn Mode"));
    setFixedSize(twips(4995), twips(3690));

    // Its entries drag onto the main window's code fields like the code list's.
    m_list = new CodeDragList(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twips(315), twips(315), twips(4110), twips(2400));

    m_start = new QPushButton(StartCaption, this);
    m_start->setObjectName(QStringLiteral("Command1"));
    m_start->setGeometry(twips(945), twips(2940), twips(1065), twips(435));

    m_exit = new QPushButton(ExitCaption, this);
    m_exit->setObjectName(QStringLiteral("Command2"));
    m_exit->setGeometry(twips(2940), twips(2940), twips(1065), twips(435));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(PollIntervalMs);

    setTabOrder(m_list, m_start);
    setTabOrder(m_start, m_exit);

    connect(m_start, &QPushButton::clicked, this, &LearnWindow::Command1_Click);
    connect(m_exit, &QPushButton::clicked, this, &LearnWindow::Command2_Click);
    connect(m_timer, &QTimer::timeout, this, &LearnWindow::Timer1_Timer);
}

LearnWindow::~LearnWindow()
{
    // Destroyed without closing (the program is ending): no closing steps and no
    // reminder, but the hold must not outlive the window.
    if (isLearning())
        m_session.link().setHeldByLearnMode(false);
}

bool LearnWindow::isLearning() const { return m_timer->isActive(); }

int LearnWindow::twips(int value) const { return qRound(value * logicalDpiX() / 1440.0); }

void LearnWindow::Command1_Click()
{
    if (isLearning())
        return;
    DeviceLink &link = m_session.link();
    std::optional<DeviceLink::Claim> claim = link.tryClaim();
    if (!claim) {
        // Another command owns the port right now.
        QApplication::beep();
        return;
    }
    // Opening lets clicks through, and messages wait for OK: Exit and the close
    // box must not take the window away while Start is still using it.
    const QScopedValueRollback<bool> starting(m_starting, true);
    ProgrammerPort &comm = m_session.port();
    if (!link.openComPort(comm))
        return;

    // The greeting is collected even when it is not needed, so it does not linger
    // in the buffer and get taken for a learn report.
    const std::optional<QString> greeting = link.GetXOK(comm);
    if (!m_session.prefs().isQOVSelfPowered && greeting != ExpectedXOKReply) {
        link.closeComPort(comm);
        claim.reset();
        m_session.messages().showMessage(QStringLiteral("QOV Not Found"));
        return;
    }
    if (!link.CheckQOV(comm)) {
        closePortDirectly();
        claim.reset();
        m_session.messages().showMessage(QStringLiteral("Unable to retrieve QOV version"));
        return;
    }
    if (!comm.output(LearnReport::request())) {
        claim.reset();
        stopOnPortFailure();
        return;
    }
    m_session.clock().sleepMs(SettleAfterStartMs);
    enterLearning();
}

void LearnWindow::Command2_Click()
{
    if (m_starting) {
        QApplication::beep();
        return;
    }
    closePortUnlessInUse();
    if (m_exit->text() != DoneCaption) {
        close();
        return;
    }
    if (isLearning())
        becomeIdle();
}

void LearnWindow::Timer1_Timer()
{
    if (!isLearning())
        return;
    // A command of the main window is mid-run on the port: leave its answers alone.
    std::optional<DeviceLink::Claim> claim = m_session.link().tryClaim(/*ignoreHold=*/true);
    if (!claim)
        return;
    ProgrammerPort &comm = m_session.port();
    if (comm.hasFailed()) {
        claim.reset();
        stopOnPortFailure();
        return;
    }
    if (!comm.isOpen()) {
        // Closed by someone else (the debug tools): nothing left to listen to.
        becomeIdle();
        return;
    }
    if (!LearnReport::isComplete(comm.bytesWaiting()))
        return;
    const std::optional<IrCode> code = LearnReport::parse(comm.input());
    if (!code)
        return;

    m_list->addItem(LearnReport::entryText(*code));
    m_list->setCurrentRow(m_list->count() - 1);
    m_list->scrollToItem(m_list->currentItem());

    if (!comm.output(LearnReport::request())) {
        claim.reset();
        stopOnPortFailure();
        return;
    }
    m_session.clock().sleepMs(SettleAfterReportMs);
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
        m_session.messages().showMessage(QStringLiteral(
            "Please press ANY button on the remote while pointing at the QOV, then press OK"));
    }
    event->accept();
}

void LearnWindow::enterLearning()
{
    m_session.link().setHeldByLearnMode(true);
    m_timer->start();
    m_start->setEnabled(false);
    m_exit->setText(DoneCaption);
}

void LearnWindow::becomeIdle()
{
    if (isLearning())
        m_session.link().setHeldByLearnMode(false);
    m_timer->stop();
    m_start->setEnabled(true);
    m_exit->setText(ExitCaption);
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
        QStringLiteral("Learn mode stopped: the programmer port %1 stopped working.\r\n\r\n"
                       "Error: %2\r\n%3")
            .arg(comm.deviceName(), QString::number(error.number), error.description));
}
