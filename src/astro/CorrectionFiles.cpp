#include "astro/CorrectionFiles.h"
