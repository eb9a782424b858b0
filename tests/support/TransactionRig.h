#pragma once
// Read Values / Write All on the simulated board in virtual time, recording what
// the user would see: status texts, progress, and message boxes.
#include "settings/SettingsTransactions.h"
#include "sim/SimBoard.h"
#include "sim/SimulatedPort.h"
#include "support/RecordingMessageBoxes.h"

struct TransactionRig : TransactionReporter
{
    void setStatusBarText(const QString &t) override { status = t, events << "status " + t; }
    void setProgressBar(double n, double total) override { progress << n * 100 / total; }
    void resetStatusBar() override { status = "Ready", progress << 0, events << "reset"; }
    void locationDone(int location, int) override
    {
        done << location;
        if (afterLocation)
            afterLocation(location);
    }

    TransactionRig()
    {
        UpdateQOVProgrammerPowerStatus(prefs, port);
        messages.m_onShow
            = [this](const QString &t) { events << "message " + t.section("\r\n", 0, 0); };
        settings.loadFactoryDefaults();
    }
    TransactionResult run(bool write)
    {
        return write ? transactions.writeAll(settings, stop) : transactions.readValues(settings);
    }

    VirtualClock clock;
    SimBoard board{clock};
    SimulatedPort port{board, clock};
    DebugLog log;
    RecordingMessageBoxes messages;
    LinkPreferences prefs;
    DeviceLink link{clock, log, messages, prefs};
    SettingsTransactions transactions{link, port, *this};
    std::function<bool()> stop;             // Write All's stop request
    std::function<void(int)> afterLocation; // runs while the front end would draw
    DeviceSettings settings;
    QStringList events;
    QList<double> progress;
    QList<int> done;
    QString status;
};
