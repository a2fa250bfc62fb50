#pragma once
// The Moon's longitude and latitude by the lunar series, before any tabulated correction.
#include "astro/Ephemeris.h"

namespace exo {

EclipticPosition MoonTheory(const TimeArguments& t);

} // namespace exo
