#pragma once

#include <QtGlobal>

// A colour as 0xAARRGGBB, the same layout (and type) as QRgb, usable without
// the GUI module.
using Argb = quint32;

namespace LinkColours {
constexpr Argb CircleIdle = 0xFFEAEBEA;     // no answer seen yet
constexpr Argb CirclePolled = 0xFFF25341;   // a poll went out
constexpr Argb CircleAnswered = 0xFF4EF241; // an answer was processed
constexpr Argb StatusConnected = 0xFF00F000;
constexpr Argb StatusDisconnected = 0xFFF00800;
constexpr Argb FeedbackFill = 0xDDFFFFFF; // the command-feedback layer
} // namespace LinkColours
