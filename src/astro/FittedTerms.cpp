#include "astro/TheoryTerms.h"

namespace exo {

const XyzCorrection* FittedOuterPlanetCorrection(int) {
    return nullptr;
}

std::span<const SolarTerm> SolarPerturbationTerms() {
    return {};
}

} // namespace exo
