#pragma once
// Messages the core would show in a box, printed as one line each on the error
// stream: the command line has nobody to press OK.
#include "device/MessageBoxes.h"

#include <QCoreApplication>
#include <QList>
#include <QTextStream>
#include <functional>
#include <utility>

class ProgressLine;

class CliMessageBoxes : public MessageBoxes
{
public:
    explicit CliMessageBoxes(QTextStream &err) : m_err(err) { }

    void showMessage(const QString &text, MessageIcon icon = MessageIcon::None,
                     const QString &title = QString()) override;

    int shownCount() const { return m_shown; }
    // A progress line on the same stream, cleared before each message; may be null.
    void setProgressLine(ProgressLine *line) { m_progress = line; }
    // The device the user named (--device): a failed opening then names it and the
    // reason only, not a COM number and an error number that do not apply.
    void setNamedDevice(const QString &device) { m_namedDevice = device; }
    // Where the run looks for the board: the device, and its COM number unless the
    // user named the device. A board that is not found there, or a port that does not
    // open, is named with it ("QOV Not Found on /dev/ttyUSB0 (COM 1)"), as avrdude and
    // esptool name theirs: the next run may take another port.
    struct Place
    {
        QString device;
        QString comPort; // empty: none applies
    };
    void setBoardPlace(std::function<Place()> place) { m_place = std::move(place); }
    // A message printed said the board or the port could not be reached: the doctor
    // finds out why (said once, at the end of the run).
    bool suggestsDoctor() const { return m_suggestsDoctor; }
    static constexpr const char *DoctorHint
        = QT_TRANSLATE_NOOP("CliMessageBoxes", "Run 'qovctl doctor' to find out why.");

    // A message box text as one line: line breaks become "; " and runs of blanks one.
    static QString oneLine(const QString &text);

private:
    // The core's text with the place added where it says the board or port failed.
    QString withPlace(const QString &text);
    // The place as messages name it: "/dev/ttyUSB0 (COM 1)", empty when unknown.
    QString placeText() const;

private:
    QTextStream &m_err;
    int m_shown = 0;
    ProgressLine *m_progress = nullptr;
    QString m_namedDevice;
    std::function<Place()> m_place;
    bool m_suggestsDoctor = false;
};
