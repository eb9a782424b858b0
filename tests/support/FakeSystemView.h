#pragma once
// A made-up host for tests that must not read the real one: no device nodes at
// all, and nobody holding a port.
#include "diagnose/SystemView.h"

struct EmptyHost : UncheckedSystemView
{
    bool checksDevices() const override { return true; }
    bool seesAllProcesses() override { return true; }
};
