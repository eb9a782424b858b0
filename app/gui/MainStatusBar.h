#pragma once
// The main window's status bar: a text panel, a second panel that the progress
// bar moves into at start-up, and the procedures that show the state of a
// command. Each change is painted before the procedure returns.
#include <QString>
#include <QtGlobal>

#include <optional>

class Clock;
class QFrame;
class QLabel;
class QMainWindow;
class QProgressBar;
class QStatusBar;

class MainStatusBar
{
public:
    static constexpr int HeightTwips = 255;
    // The progress bar's margin inside its panel, in twips.
    static constexpr int ProgressBorder = 40;
    // How long a refusal's reason stays over the texts of the command that runs.
    static constexpr int RefusalHoldMs = 3000;

    // Builds the bar on `window`, whose central widget must exist: the progress
    // bar starts there, hidden. `clock` times how long a refusal stays.
    MainStatusBar(QMainWindow &window, const Clock &clock);

    QStatusBar *statusBar() const { return m_statusBar; }
    QProgressBar *progressBar() const { return m_progressBar; }

    void setStatusBarText(const QString &barText);
    void setProgressBar(double numCurrent, double numTotal);
    void resetStatusBar();
    // Why a click was refused. While a command runs (`commandRunning`) the reason
    // stays until endRefusal() or for RefusalHoldMs: the command's own texts are
    // kept meanwhile and shown then.
    void showRefusal(const QString &why, bool commandRunning);
    // The command has ended: the state it left replaces a refusal still shown.
    void endRefusal();
    // Moves `progressBar` into panel 1 or 2 of `statusBar`, `border` twips in
    // from the panel's edges; anything else leaves it where it is.
    void placeProgressBarInStatusBar(QProgressBar *progressBar, QStatusBar *statusBar,
                                     int panelIndex, int border);

    QString statusText() const;
    float progressPosition() const { return m_progressPosition; }

private:
    void showText(const QString &text);
    // Widens the text panel (and the window with it) so that `text` shows in full:
    // a translation may be longer than any English text.
    void makeRoomFor(const QString &text);
    // Whether a refusal has stood over the command's texts long enough.
    bool refusalExpired() const;

    QMainWindow *m_window = nullptr;
    const Clock &m_clock;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QFrame *m_statusPanel2 = nullptr;
    QProgressBar *m_progressBar = nullptr;
    float m_progressPosition = 0.0f;
    std::optional<qint64> m_refusedAt;
    QString m_commandText; // the running command's state, while a refusal is shown
};
