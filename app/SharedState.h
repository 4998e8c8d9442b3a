#pragma once

#include "accounts/TUser.h"
#include "link/RegisterCache.h"

// Process-wide state every part of the window reads and writes. Lives on the
// UI thread; the register poller never touches it (it gets its own copy of
// the topic it publishes on).
struct SharedState {
    TUser ActiveUser;
    int LoginMode = 0;        // 0 nobody, 1 owner, 2 installer, 3 built-in installer
    int SchematicNumber = 0;
    RegisterCache<100> HoldingRegs;
    RegisterCache<30> AnalogRegs;
    bool HoldingRegsUpdated = false;
    bool AnalogRegsUpdated = false;
    bool CommandPending = false;
    bool ForceSchematicReload = false;
};
