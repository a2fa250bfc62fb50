#include "astro/Houses.h"
