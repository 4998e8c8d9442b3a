#pragma once

#include <QtGlobal>

// A loopback TCP port that nothing listens on right now.
quint16 freeLoopbackPort();
