// Where the random variate library takes its host values from: one call of
// the host's "rand" or "randn" per value, or, inside a plug-in call that
// asks for it, blocks of values drawn at once when that provably gives the
// same values and leaves the generator where one call per value would.
#pragma once

#include <cstdint>

// The next value of the host's "rand", and of its "randn".
double next_host_uniform();
double next_host_normal();
