#include "app/gui/CheckConnectionWindow.h"

#include "diagnose/Doctor.h"
#include "session/Session.h"
#include "session/StoredPreferences.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Wide enough for a step's line to read as a sentence; the rows wrap within it
// and the window grows with them, so eight steps with fixes need no scroll bar.
constexpr int TextWidth = 560;
constexpr int IconSize = 16;

struct StateLook
{
    const char *themeIcon;
    QStyle::StandardPixmap fallback;
    const char *name; // for screen readers, translated where shown
};

// The states' names are what a screen reader says of a step's icon.
StateLook lookOf(const DoctorStep &step)
{
    switch (step.state) {
    case DoctorStep::State::Ok:
        return {"emblem-ok-symbolic", QStyle::SP_DialogApplyButton,
                //: a step's state, said by screen readers
                QT_TRANSLATE_NOOP("CheckConnectionWindow", "passed")};
    case DoctorStep::State::Failed:
        return {"dialog-error", QStyle::SP_MessageBoxCritical,
                QT_TRANSLATE_NOOP("CheckConnectionWindow", "failed")};
    case DoctorStep::State::NotTried: break;
    }
    return {"action-unavailable-symbolic", QStyle::SP_MessageBoxInformation,
            QT_TRANSLATE_NOOP("CheckConnectionWindow", "not tried")};
}

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFixedWidth(TextWidth);
    return label;
}

} // namespace

CheckConnectionWindow::CheckConnectionWindow(Session &session, std::function<void()> ended)
    : m_session(session), m_ended(std::move(ended))
{
    setObjectName(QStringLiteral("FormCheckConnection"));
    setWindowTitle(tr("Check Connection"));
    m_rows = new QWidget(this);
    m_rows->setObjectName(QStringLiteral("reportRows"));
    m_grid = new QGridLayout(m_rows);
    m_grid->setContentsMargins(0, 0, 0, 0);
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
    layout->addWidget(m_rows);
    layout->addLayout(buttons);
    // The window is as tall as its rows: no scroll bar, whatever the fixes say.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CheckConnectionWindow::showSteps(const QList<DoctorStep> &steps)
{
    while (QLayoutItem *item = m_grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int row = 0;
    bool fixShown = false;
    for (int i = 0; i < steps.size(); ++i) {
        // The window's words for the options and the commands.
        DoctorStep step = steps[i];
        step.fix = step.windowFix;
        step.hint = step.windowHint;
        const StateLook look = lookOf(step);
        auto *icon = new QLabel(m_rows);
        icon->setObjectName(QStringLiteral("stepIcon_%1").arg(i + 1));
        icon->setPixmap(
            QIcon::fromTheme(QLatin1String(look.themeIcon), style()->standardIcon(look.fallback))
                .pixmap(IconSize, IconSize));
        const QString stateName = tr(look.name);
        icon->setAccessibleName(stateName);
        icon->setAlignment(Qt::AlignTop);
        // The row says its state and what was found; a failed step's fix follows
        // on its own line under the first failure only.
        const bool fixApart = step.state == DoctorStep::State::Failed && !fixShown;
        const QString line = Doctor::stepLine(i + 1, step, !fixApart);
        auto *text = wrapped(line, m_rows);
        text->setObjectName(QStringLiteral("stepText_%1").arg(i + 1));
        //: a step's state for screen readers, then its line
        text->setAccessibleName(tr("%1: %2").arg(stateName, line));
        m_grid->addWidget(icon, row, 0);
        m_grid->addWidget(text, row++, 1);
        if (fixApart) {
            fixShown = true;
            auto *fix = wrapped(tr("Fix: %1").arg(step.fix), m_rows);
            fix->setObjectName(QStringLiteral("fixText"));
            QFont bold = fix->font();
            bold.setBold(true);
            fix->setFont(bold);
            fix->setContentsMargins(IconSize, 2, 0, 6);
            m_grid->addWidget(fix, row++, 1);
        }
    }
    adjustSize();
}

QString CheckConnectionWindow::run()
{
    const QString why = m_session.refusalText();
    if (!why.isEmpty()) {
        QApplication::beep();
        m_status->setText(why);
        return why;
    }
    m_status->setText(tr("Checking..."));
    DoctorTarget target = DoctorTarget::of(m_session.prefs());
    target.portSource = DoctorTarget::Source::StoredPreferences;
    target.simulated = m_session.port().isSimulatedBoard();

    // The session's view of the host: qovprog's start-up gives the real one, tests a
    // made-up one. A session given none has its host's steps left unchecked.
    UncheckedSystemView unchecked;
    SystemView &system = m_session.systemView() ? *m_session.systemView() : unchecked;
    Doctor doctor(system);
    DeviceLink &link = m_session.link();
    if (doctor.examine(target, link.usbPortFinder(), link, m_session.port()))
        emit usbPortFound();
    m_report = Doctor::text(doctor.steps());
    showSteps(doctor.steps());
    m_status->setText(doctor.allOk() ? tr("Every step is OK") : tr("A step failed: see its fix"));
    if (m_ended)
        m_ended();
    return {};
}
