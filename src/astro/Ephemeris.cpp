#include "astro/Ephemeris.h"
