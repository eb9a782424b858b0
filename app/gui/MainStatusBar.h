#pragma once
// The main window's status bar: a text panel, a second panel that the progress
// bar moves into at start-up, and the procedures that show the state of a
// command. Each change is painted before the procedure returns.
#include <QString>

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

    // Builds the bar on `window`, whose central widget must exist: the progress
    // bar starts there, hidden.
    explicit MainStatusBar(QMainWindow &window);

    QStatusBar *statusBar() const { return m_statusBar; }
    QProgressBar *progressBar() const { return m_progressBar; }

    void setStatusBarText(const QString &barText);
    void setProgressBar(double numCurrent, double numTotal);
    void resetStatusBar();
    // Moves `progressBar` into panel 1 or 2 of `statusBar`, `border` twips in
    // from the panel's edges; anything else leaves it where it is.
    void placeProgressBarInStatusBar(QProgressBar *progressBar, QStatusBar *statusBar,
                                     int panelIndex, int border);

    QString statusText() const;
    float progressPosition() const { return m_progressPosition; }

private:
    QMainWindow *m_window = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusPanel1 = nullptr;
    QFrame *m_statusPanel2 = nullptr;
    QProgressBar *m_progressBar = nullptr;
    float m_progressPosition = 0.0f;
};
