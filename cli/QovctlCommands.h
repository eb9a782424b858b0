#pragma once
// One function per qovctl command, each in a file of its own; the dispatch in
// Qovctl.cpp names them. Each returns the run's exit code (QovctlExit).
class QovctlRun;

int readCommand(QovctlRun &run);
int writeCommand(QovctlRun &run);
int verifyCommand(QovctlRun &run);
int versionCommand(QovctlRun &run);
int learnCommand(QovctlRun &run);
int portsCommand(QovctlRun &run);
int defaultsCommand(QovctlRun &run);
int doctorCommand(QovctlRun &run);
