#pragma once
// The profile HOST with its permission row, which several versions make sure of.
#include <cstdint>
#include <optional>

class Rutina;

// Finds the profile HOST, or adds it with the code after the highest (6 when there is no
// profile yet), and adds its permission row, every flag 0, when it has none. Returns the
// profile's code; nothing when it could not be established (a lookup that failed, a code
// that cannot be read or would pass 32767, the profile's insert refused). Then no row is
// written for any profile: a guessed code would give HOST's rows to another profile.
// Every failure is the routine's (logged, skipped or raised by its handler state).
std::optional<std::int16_t> AseguraPerfilHost(Rutina& r);
