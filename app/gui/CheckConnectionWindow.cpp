#include "app/gui/CheckConnectionWindow.h"

#include "device/UsbPortFinder.h"
#include "diagnose/Doctor.h"
#include "diagnose/HostSystemView.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"
#include "settings/gui/SettingsView.h"
#include "sim/SimulatedPort.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CheckConnectionWindow::CheckConnectionWindow(Session &session, UsbPortFinder *finder,
                                             std::function<void()> ended)
    : m_session(session), m_finder(finder), m_ended(std::move(ended))
{
    setObjectName(QStringLiteral("FormCheckConnection"));
    setWindowTitle(tr("Check Connection"));
    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("reportText"));
    m_report->setReadOnly(true);
    m_report->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_report->setMinimumSize(560, 220);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusText"));
    auto *copy = new QPushButton(tr("Copy"), this);
    copy->setObjectName(QStringLiteral("copyButton"));
    auto *again = new QPushButton(tr("Run Again"), this);
    again->setObjectName(QStringLiteral("runAgainButton"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(report()); });
    connect(again, &QPushButton::clicked, this, [this] { run(); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(copy);
    buttons->addWidget(again);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_report);
    layout->addLayout(buttons);
}

QString CheckConnectionWindow::report() const { return m_report->toPlainText(); }

QString CheckConnectionWindow::run()
{
    const QString why = SettingsView::refusalText(m_session.link());
    if (!why.isEmpty()) {
        QApplication::beep();
        m_status->setText(why);
        return why;
    }
    m_status->setText(tr("Checking..."));
    const AppPreferences &prefs = m_session.prefs();
    DoctorTarget target;
    target.programmerType = prefs.programmerType;
    target.usbAutomatic = prefs.usbAutomatic();
    target.comPort = prefs.comPortNumber().value_or(0);
    target.portSource = DoctorTarget::Source::StoredPreferences;
    target.simulated = dynamic_cast<const SimulatedPort *>(&m_session.port()) != nullptr;
    target.selfPowered = prefs.isQOVSelfPowered;
    const int discovered = target.usbAutomatic && m_finder ? m_finder->findUsbProgrammerPort() : -1;

    HostSystemView system;
    Doctor doctor(system);
    DoctorBoard board;
    if (doctor.checkPort(target, discovered))
        board = Doctor::probeBoard(m_session.link(), m_session.port());
    doctor.checkBoard(board);
    m_report->setPlainText(Doctor::text(doctor.steps()));
    m_status->setText(doctor.allOk() ? tr("Every step is OK") : tr("A step failed: see its fix"));
    if (m_ended)
        m_ended();
    return {};
}
