#include "settings/SettingsTransactions.h"

// Placeholder bodies; the transactions are being written.
SettingsTransactions::SettingsTransactions(DeviceLink &link, ProgrammerPort &comm,
                                           TransactionReporter &reporter)
    : m_link(link), m_comm(comm), m_reporter(reporter)
{
}
TransactionResult SettingsTransactions::Command1_Click(DeviceSettings &) { return {}; }
TransactionResult SettingsTransactions::Command2_Click(DeviceSettings &) { return {}; }
