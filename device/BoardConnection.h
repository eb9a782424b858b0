#pragma once
// The one connect step before any device command: claim the link, open the port
// (with USB discovery in USB automatic mode), collect the greeting and check the
// board, telling the user why when it stops. The hand-driven debug tools call the
// single steps instead.
//
// What the callers need differs in small ways, chosen by the purpose:
//  - Transaction (Read Values, Write All): status texts, a lost port stops it
//    (reported by the caller), the board checked with CheckQOV, told before the
//    port is closed ("Closing Port").
//  - VersionQuery: no status texts; after the greeting the version is asked with
//    GetVersion; on success and on failure the port is left open for the caller,
//    which shows the version (or its own note) and closes it.
//  - LearnStart: checked with CheckQOV; on a failure the port is closed, the
//    claim given up, and only then the user told; a failed version check closes
//    the port directly, without closeComPort.
#include "device/ConnectionStatus.h"
#include "device/DeviceLink.h"

#include <optional>

struct ConnectResult
{
    enum class Stage {
        Connected,     // the board answered; the port is open and the claim held
        Busy,          // another command holds the link (or learn mode its port); nothing done
        PortNotOpened, // openComPort failed (the user was told)
        PortLost,      // Transaction: the port failed while checking (the caller reports it)
        NoGreeting,    // no "XOK" and not self-powered ("QOV Not Found")
        BadVersion,    // the version check failed
    };
    Stage stage = Stage::Connected;
    // The link's claim: kept while the caller works on the board; dropping the
    // result gives it up.
    std::optional<DeviceLink::Claim> claim;
    // GetXOK's text as received (zero bytes left out); nothing when no byte waited.
    std::optional<QString> greeting;
    // VersionQuery: GetVersion's text; nothing when it gave none.
    std::optional<QString> version;
    // The port USB discovery found (USB automatic mode), also when the port then
    // failed to open: the front end keeps and shows it.
    std::optional<int> usbPortFound;

    bool connected() const { return stage == Stage::Connected; }
};

class BoardConnection
{
public:
    enum class Purpose { Transaction, VersionQuery, LearnStart };

    // status may be null (no status texts).
    BoardConnection(DeviceLink &link, ProgrammerPort &comm, ConnectionStatus *status = nullptr);

    ConnectResult connect(Purpose purpose);

private:
    void status(const QString &text);
    void resetStatus();
    // Stops at a failed check: tells the user and closes the port as the purpose wants.
    ConnectResult stop(Purpose purpose, ConnectResult result, const QString &statusText,
                       const QString &message);
    // Shows message for the stage the result stopped at.
    void tell(const ConnectResult &result, const QString &message);

    DeviceLink &m_link;
    ProgrammerPort &m_comm;
    ConnectionStatus *m_status = nullptr;
};
