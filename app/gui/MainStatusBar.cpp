#include "app/gui/MainStatusBar.h"

#include "app/gui/MainWindowLayout.h"
#include "device/Clock.h"
#include "gui/Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <cmath>
#include <utility>

namespace {

// The text panel takes what the progress bar's panel leaves.
constexpr int StatusPanel2Width = 1440;

} // namespace

MainStatusBar::MainStatusBar(QMainWindow &window, const Clock &clock)
    : m_window(&window), m_clock(clock)
{
    const auto tw = [&window](int value) { return twips(window, value); };

    m_statusBar = new QStatusBar(&window);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    // As wide as the controls above it, which may have grown for a long caption.
    const int clientWidth
        = qMax(tw(MainWindowLayout::ClientWidth), window.centralWidget()->width());
    const int panel1Width = clientWidth - tw(StatusPanel2Width);
    m_statusBar->setFixedSize(clientWidth, tw(HeightTwips));
    window.setStatusBar(m_statusBar);

    // Panels are placed by hand, not by the status bar's layout, so they keep
    // their designed widths whatever the bar's own margins are.
    m_statusPanel1 = new QLabel(m_statusBar);
    m_statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_statusPanel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusPanel1->setGeometry(0, 0, panel1Width, tw(HeightTwips));

    m_statusPanel2 = new QFrame(m_statusBar);
    m_statusPanel2->setObjectName(QStringLiteral("StatusBar1Panel2"));
    m_statusPanel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusPanel2->setGeometry(panel1Width, 0, tw(StatusPanel2Width), tw(HeightTwips));

    // Its design position does not matter: the start-up moves it into panel 2.
    m_progressBar = new QProgressBar(window.centralWidget());
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    // Flat, without a border of its own: the panel's frame is the only one.
    m_progressBar->setStyleSheet(
        QStringLiteral("QProgressBar { border: none; background: transparent; }"
                       "QProgressBar::chunk { background-color: palette(highlight); }"));
    m_progressBar->hide();
}

void MainStatusBar::placeProgressBarInStatusBar(QProgressBar *progressBar, QStatusBar *statusBar,
                                                int panelIndex, int border)
{
    QWidget *panel = panelIndex == 1 ? static_cast<QWidget *>(m_statusPanel1) : m_statusPanel2;
    if (!progressBar || !statusBar || !panel || panel->parentWidget() != statusBar)
        return;
    progressBar->hide();
    progressBar->setParent(statusBar);
    const QRect p = panel->geometry();
    const int b = twips(*m_window, border);
    progressBar->setGeometry(p.left() + b, b, p.width() - 2 * b, p.height() - 2 * b);
    progressBar->show();
    progressBar->raise();
}

QString MainStatusBar::statusText() const { return m_statusPanel1->text(); }

void MainStatusBar::makeRoomFor(const QString &text)
{
    const QString shown = m_statusPanel1->text();
    m_statusPanel1->setText(text);
    const int more = m_statusPanel1->sizeHint().width() - m_statusPanel1->width();
    m_statusPanel1->setText(shown);
    if (more <= 0)
        return;
    m_statusPanel1->resize(m_statusPanel1->width() + more, m_statusPanel1->height());
    m_statusPanel2->move(m_statusPanel2->x() + more, 0);
    if (m_progressBar->parentWidget() == m_statusBar)
        m_progressBar->move(m_progressBar->x() + more, m_progressBar->y());
    m_statusBar->setFixedWidth(m_statusBar->width() + more);
    QWidget *central = m_window->centralWidget();
    central->setFixedWidth(qMax(central->width(), m_statusBar->width()));
    if (auto *line = central->findChild<QFrame *>(QStringLiteral("Line1")))
        line->resize(central->width(), line->height());
    if (m_window->layout())
        m_window->layout()->activate();
}

void MainStatusBar::showText(const QString &text)
{
    makeRoomFor(text);
    m_statusPanel1->setText(text);
    m_statusPanel1->repaint();
}

bool MainStatusBar::refusalExpired() const
{
    return m_refusedAt && m_clock.nowMs() - *m_refusedAt >= RefusalHoldMs;
}

void MainStatusBar::setStatusBarText(const QString &barText)
{
    if (refusalExpired())
        m_refusedAt.reset();
    if (m_refusedAt)
        m_commandText = barText;
    else
        showText(barText);
}

void MainStatusBar::showRefusal(const QString &why, bool commandRunning)
{
    if (commandRunning) {
        if (!m_refusedAt)
            m_commandText = statusText();
        m_refusedAt = m_clock.nowMs();
    } else {
        m_refusedAt.reset();
    }
    showText(why);
}

void MainStatusBar::endRefusal()
{
    if (std::exchange(m_refusedAt, std::nullopt))
        showText(m_commandText);
}

void MainStatusBar::setProgressBar(double numCurrent, double numTotal)
{
    const float maximum = static_cast<float>(m_progressBar->maximum());
    const float position = static_cast<float>(numCurrent * (maximum / numTotal));
    // A position the bar cannot show (a zero total, a count past the end) is
    // ignored rather than wrapped into a nonsense value.
    if (!std::isfinite(position) || position < m_progressBar->minimum() || position > maximum)
        return;
    m_progressPosition = position;
    m_progressBar->setValue(qRound(position));
    m_progressBar->repaint();
    if (refusalExpired()) // a long command shows its own state again after a while
        endRefusal();
}

void MainStatusBar::resetStatusBar()
{
    m_progressPosition = 0.0f;
    m_progressBar->setValue(0);
    m_progressBar->repaint();
    setStatusBarText(QCoreApplication::translate("MainWindow", "Ready"));
}
