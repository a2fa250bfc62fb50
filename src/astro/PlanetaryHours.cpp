#include "astro/PlanetaryHours.h"
