#include "settings/gui/SettingsView.h"

#include "app/Session.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

SettingsView::SettingsView(QWidget *form, Session &session, TransactionReporter &statusBar)
    : QObject(form), m_form(form), m_session(session), m_statusBar(statusBar)
{
    bindTextFields();
    bindCheckBoxes();
    bindCommands();
}

void SettingsView::bindTextFields()
{
    for (int i = 1; i <= 8; ++i)
        m_text[i] = m_form->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(i));

    struct CodeBinding
    {
        int field;
        IrCode DeviceSettings::*code;
    };
    const CodeBinding codes[] = {{1, &DeviceSettings::turnOnModEnabledCode},
                                 {2, &DeviceSettings::turnOnModDisabledCode},
                                 {3, &DeviceSettings::turnOffCode},
                                 {5, &DeviceSettings::ejectTrayCode}};
    for (const CodeBinding &b : codes) {
        QLineEdit *field = m_text[b.field];
        if (!field)
            continue;
        const auto code = b.code;
        connect(field, &QLineEdit::textChanged, this,
                [this, field, code] { applyCodeRule(field, code); });
    }

    struct NumberBinding
    {
        int field;
        double DeviceSettings::*member;
        FieldRules::NumberResult (*rule)(const QString &, const QString &);
        QString message;
    };
    const NumberBinding numbers[] = {
        {4, &DeviceSettings::turnOffPresses, &FieldRules::pressCountRule,
         FieldRules::turnOffPressesMessage()},
        {6, &DeviceSettings::ejectTrayPresses, &FieldRules::pressCountRule,
         FieldRules::ejectTrayPressesMessage()},
        {7, &DeviceSettings::modOffPushDelay, &FieldRules::delayRule,
         FieldRules::modOffDelayMessage()},
        {8, &DeviceSettings::modOnPushDelay, &FieldRules::delayRule,
         FieldRules::modOnDelayMessage()},
    };
    for (const NumberBinding &b : numbers) {
        QLineEdit *field = m_text[b.field];
        if (!field)
            continue;
        const auto member = b.member;
        const auto rule = b.rule;
        const QString message = b.message;
        connect(field, &QLineEdit::textChanged, this,
                [this, member, rule, message](const QString &text) {
                    applyNumberRule(rule(text, message), member);
                });
    }
}

void SettingsView::bindCheckBoxes()
{
    int DeviceSettings::*const flags[]
        = {nullptr, &DeviceSettings::allowPowerOn, &DeviceSettings::allowPowerOff,
           &DeviceSettings::allowEjectTray, &DeviceSettings::powerOnByEject};
    for (int i = 1; i <= 4; ++i) {
        m_check[i] = m_form->findChild<QCheckBox *>(QStringLiteral("Check%1").arg(i));
        if (!m_check[i])
            continue;
        // toggled fires only on a real change, whether by a click or by RefreshUI.
        const auto flag = flags[i];
        connect(m_check[i], &QCheckBox::toggled, this,
                [this, flag](bool checked) { m_session.settings().*flag = checked ? 1 : 0; });
    }
}

void SettingsView::bindCommands()
{
    if (auto *read = m_form->findChild<QAbstractButton *>(QStringLiteral("Command1")))
        connect(read, &QAbstractButton::clicked, this, [this] { Command1_Click(); });
    if (auto *write = m_form->findChild<QAbstractButton *>(QStringLiteral("Command2")))
        connect(write, &QAbstractButton::clicked, this, [this] { Command2_Click(); });
    if (auto *clear = m_form->findChild<QAction *>(QStringLiteral("clearUI")))
        connect(clear, &QAction::triggered, this, [this] { clearUI_Click(); });
    if (auto *defaults = m_form->findChild<QAction *>(QStringLiteral("loadefaultvaluesmenu")))
        connect(defaults, &QAction::triggered, this, [this] { loadefaultvaluesmenu_Click(); });
}

void SettingsView::applyCodeRule(QLineEdit *field, IrCode DeviceSettings::*code)
{
    const FieldRules::CodeResult result = FieldRules::codeFieldRule(field->text());
    if (result.outcome == FieldRules::Outcome::Accepted)
        m_session.settings().*code = result.code;
    field->setToolTip(result.toolTip);
}

void SettingsView::applyNumberRule(const FieldRules::NumberResult &result,
                                   double DeviceSettings::*member)
{
    switch (result.outcome) {
    case FieldRules::Outcome::Accepted: m_session.settings().*member = result.value; break;
    case FieldRules::Outcome::Rejected: m_session.messages().showMessage(result.message); break;
    case FieldRules::Outcome::Ignored: break;
    }
}

void SettingsView::setText(QLineEdit *field, const QString &text)
{
    // QLineEdit::setText emits textChanged only when the text differs, so an
    // unchanged field runs nothing.
    if (field)
        field->setText(text);
}

void SettingsView::setChecked(QCheckBox *box, int flag)
{
    if (box)
        box->setChecked(flag == 1);
}

void SettingsView::RefreshUI()
{
    // Each control is written from the record as it is at that moment: a
    // change handler run by an earlier control only touches its own field.
    const DeviceSettings &s = m_session.settings();
    setChecked(m_check[1], ConvertBoolToInt(s.allowPowerOn));
    setChecked(m_check[2], ConvertBoolToInt(s.allowPowerOff));
    setChecked(m_check[3], ConvertBoolToInt(s.allowEjectTray));
    setChecked(m_check[4], ConvertBoolToInt(s.powerOnByEject));
    setText(m_text[1], s.turnOnModEnabledCode.toText());
    setText(m_text[2], s.turnOnModDisabledCode.toText());
    setText(m_text[3], s.turnOffCode.toText());
    setText(m_text[4], FieldRules::displayNumber(s.turnOffPresses + 1));
    setText(m_text[8], FieldRules::displayNumber(s.modOnPushDelay * 10));
    setText(m_text[7], FieldRules::displayNumber(s.modOffPushDelay * 10));
    setText(m_text[5], s.ejectTrayCode.toText());
    setText(m_text[6], FieldRules::displayNumber(s.ejectTrayPresses + 1));
}

void SettingsView::clearUI_Click()
{
    m_session.settings().ResetVars();
    RefreshUI();
}

void SettingsView::loadefaultvaluesmenu_Click()
{
    m_session.settings().LoadDefaultVars();
    RefreshUI();
}

TransactionResult SettingsView::Command1_Click()
{
    SettingsTransactions transactions(m_session.link(), m_session.port(), *this);
    const TransactionResult result = transactions.readValues(m_session.settings());
    if (result.outcome != TransactionResult::Busy)
        m_lastResult = result;
    return result;
}

TransactionResult SettingsView::Command2_Click()
{
    SettingsTransactions transactions(m_session.link(), m_session.port(), *this);
    const TransactionResult result = transactions.writeAll(m_session.settings());
    if (result.outcome != TransactionResult::Busy)
        m_lastResult = result;
    return result;
}

void SettingsView::setStatusBarText(const QString &barText)
{
    m_statusBar.setStatusBarText(barText);
}

void SettingsView::setProgressBar(double numCurrent, double numTotal)
{
    m_statusBar.setProgressBar(numCurrent, numTotal);
}

void SettingsView::resetStatusBar() { m_statusBar.resetStatusBar(); }

void SettingsView::locationDone(int location, int result)
{
    m_statusBar.locationDone(location, result);
}
