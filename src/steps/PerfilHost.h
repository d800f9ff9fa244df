#pragma once
// The profile HOST with its permission row, which several versions make sure of.
#include <cstdint>
#include <optional>

class Rutina;

// Finds the profile HOST, or adds it with the code after the highest (6 when there is no
// profile yet), and adds its permission row, every flag 0, when it has none. Returns the
// profile's code. When the code cannot be established (a lookup or the reading of a code
// fails, the next code would pass 32767, or the new profile's insert is refused) the
// cause is logged once and nothing is written for any profile: a guessed code would give
// HOST's rows to profile 0 or to another profile.
std::optional<std::int16_t> AseguraPerfilHost(Rutina& r);
