#pragma once
// One function per qovctl command, each in a file of its own; the dispatch in
// Qovctl.cpp names them. Each returns the run's exit code (QovctlExit).
#include <functional>

struct DeviceSettings;
class QovctlRun;

int readCommand(QovctlRun &run);
int writeCommand(QovctlRun &run);
int verifyCommand(QovctlRun &run);
int versionCommand(QovctlRun &run);
int learnCommand(QovctlRun &run);
int portsCommand(QovctlRun &run);
int defaultsCommand(QovctlRun &run);
int doctorCommand(QovctlRun &run);

// Connects and reads every setting, as `read` and `verify` both do, then hands
// what was read to report, with the progress line still there. A read that fails
// is said (unless its own message was) and ends the run with DeviceFailure.
int readThenReport(QovctlRun &run, const std::function<int(const DeviceSettings &)> &report);
