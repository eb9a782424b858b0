#include "app/gui/ProgrammerSelection.h"

#include "app/gui/MainMenus.h"
#include "device/TextConversions.h"
#include "session/Session.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace {

constexpr int ComPortCount = 21;

} // namespace

ProgrammerSelection::ProgrammerSelection(QMenu *settings, QLabel *progtypeText, Session &session,
                                         QObject *parent)
    : QObject(parent), m_session(session), m_progtypeText(progtypeText)
{
    m_selfPowered = MainMenus::addItem(settings, QStringLiteral("qovselfpowered"),
                                       tr("QOV Is Installed In Xbox (self powered)"));
    m_selfPowered->setCheckable(true);
    connect(m_selfPowered, &QAction::triggered, this, &ProgrammerSelection::setSelfPowered);
    m_forcePower = MainMenus::addItem(settings, QStringLiteral("alwayspowerqovfrompc"),
                                      tr("Force QOV Programmer To Provide Power To QOV"));
    m_forcePower->setCheckable(true);
    connect(m_forcePower, &QAction::triggered, this, &ProgrammerSelection::setForcePower);
    MainMenus::addSeparator(settings, QStringLiteral("space66"));

    QMenu *progType
        = MainMenus::addSubmenu(settings, QStringLiteral("progTypeSub"), tr("Programmer Type"));
    const QString progCaptions[] = {tr("Serial Programmer (RS232)"), tr("USB Programmer")};
    for (int i = 1; i <= 2; ++i) {
        QAction *item
            = MainMenus::addItem(progType, QStringLiteral("progTypeMenu"), progCaptions[i - 1]);
        item->setProperty("index", i);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { chooseProgrammerType(i); });
        m_progTypeItems.append(item);
    }
    MainMenus::addSeparator(settings, QStringLiteral("space6"));

    m_comPortSub = MainMenus::addSubmenu(settings, QStringLiteral("comportsub"), tr("Com Port"));
    for (int i = 1; i <= ComPortCount; ++i) {
        QAction *item = MainMenus::addItem(m_comPortSub, QStringLiteral("setComPort"),
                                           QStringLiteral("Com ") + QString::number(i));
        item->setProperty("index", i);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { chooseComPort(i); });
        m_comPortItems.append(item);
    }
}

QAction *ProgrammerSelection::progTypeMenu(int index) const
{
    return index >= 1 && index <= m_progTypeItems.size() ? m_progTypeItems.at(index - 1) : nullptr;
}

QAction *ProgrammerSelection::comPortItem(int index) const
{
    return index >= 1 && index <= m_comPortItems.size() ? m_comPortItems.at(index - 1) : nullptr;
}

void ProgrammerSelection::showChoices()
{
    m_selfPowered->setChecked(m_session.prefs().isQOVSelfPowered);
    m_forcePower->setChecked(m_session.prefs().forcePower);
    checkProgrammerTypeItem();
    checkComPortItem();
    showProgrammerChoice();
}

void ProgrammerSelection::checkProgrammerTypeItem()
{
    const int type = m_session.prefs().programmerType;
    for (QAction *item : std::as_const(m_progTypeItems))
        item->setChecked(item->property("index").toInt() == type);
}

void ProgrammerSelection::checkComPortItem()
{
    const AppPreferences &prefs = m_session.prefs();
    if (prefs.usbAutomatic())
        return;
    // A number without a menu item (left by USB discovery) checks no item and is
    // used as it is.
    const auto number = decimalFromText(prefs.comPort);
    const double index = number ? roundHalfEven(*number) : 0;
    for (QAction *item : std::as_const(m_comPortItems))
        item->setChecked(item->property("index").toInt() == index);
}

void ProgrammerSelection::usbPortFound()
{
    // Automatic mode ticks no port and shows no number: only the store changes.
    kept(m_session.keepUsbPortFound());
    showProgrammerChoice();
}

void ProgrammerSelection::showProgrammerChoice()
{
    const AppPreferences &prefs = m_session.prefs();
    m_comPortSub->setEnabled(!prefs.usbAutomatic());
    m_comPortSub->menuAction()->setEnabled(!prefs.usbAutomatic());
    if (prefs.programmerType == SerialProgrammer)
        m_progtypeText->setText(tr("Serial - COM%1").arg(prefs.comPort));
    else if (prefs.programmerType == UsbProgrammer && prefs.usbAutomaticAvailable)
        m_progtypeText->setText(tr("USB Auto"));
    else if (prefs.programmerType == UsbProgrammer)
        m_progtypeText->setText(tr("USB Manual - COM%1").arg(prefs.comPort));
}

void ProgrammerSelection::chooseProgrammerType(int index)
{
    m_notKept = false;
    // Only the two items exist, so the index always names one of them.
    kept(m_session.chooseProgrammerType(index));
    checkProgrammerTypeItem();
    showProgrammerChoice();
    reportIfNotKept();
}

void ProgrammerSelection::chooseComPort(int index)
{
    m_notKept = false;
    kept(m_session.chooseComPort(QString::number(index)));
    checkComPortItem();
    showProgrammerChoice();
    reportIfNotKept();
}

void ProgrammerSelection::setSelfPowered(bool checked)
{
    m_notKept = false;
    // The menu has already flipped the mark: `checked` is the opposite of the old one.
    m_selfPowered->setChecked(checked);
    kept(m_session.chooseSelfPowered(checked));
    reportIfNotKept();
}

void ProgrammerSelection::setForcePower(bool checked)
{
    m_notKept = false;
    m_forcePower->setChecked(checked);
    kept(m_session.chooseForcePower(checked));
    reportIfNotKept();
}

void ProgrammerSelection::kept(bool stored)
{
    if (!stored)
        m_notKept = true;
}

void ProgrammerSelection::reportIfNotKept()
{
    // Start-up and the port discovery store too, in the middle of other work;
    // only a menu choice is answered in the status bar.
    if (m_notKept)
        emit choiceNotKept(tr("Set for this run only: the preferences cannot be saved"));
}
