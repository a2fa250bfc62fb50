// The aspect marker glyphs, stored as the drawing code keeps them: signed coordinate pairs
// in glyph units, the pair (100, 100) lifting the pen between polylines.
#include "graphics/DrawingSurface.h"

#include <iterator>
#include <vector>

namespace exo {

namespace {

constexpr signed char kLift = 100;

struct StoredGlyph {
    int screenPen;
    int paperPen;
    std::vector<signed char> pairs;
};

// Pens 4 and 5 are blue on paper and aqua on the black screen.
const StoredGlyph kGlyphs[] = {
    {3, 3, {3, -4, -1, 0, -2, 0, -3, 1, -3, 2, -2, 3, -1, 3, 0, 2, 0, 1, -1, 0}},
    {5, 4, {-3, 0, 3, 0, kLift, kLift, 3, -3, -3, 3, kLift, kLift, -3, -3, 3, 3}},
    {2, 2, {-3, -4, -3, 3, 3, 3, 3, -4, -3, -4}},
    {5, 4, {0, -4, -3, 3, 3, 3, 0, -4}},
    {2, 2, {-1, 0,  -2, 0,  -3, 1,  -3, 2,  -2, 3,  -1, 3,  0, 2,  0, 1,  -1, 0,
            1,  -1, 2,  -1, 3,  -2, 3,  -3, 2,  -4, 1,  -4, 0, -3, 0, -2, 1,  -1}},
    {2, 2, {-3, -4, -3, 1, 3, 1, 3, -4, -3, -4, kLift, kLift, -1, -1, -1, 3, 2, 3}},
    {2, 2, {0, -4, -3, 3, 3, 3}},
    {5, 5, {-3, -4, 3, -4, kLift, kLift, -3, 3, 0, -4, 3, 3}},
    {5, 4, {-3, -4, 0, 3, 3, -4, kLift, kLift, -3, 3, 3, 3}},
    {5, 5, {-3, -2, 0, 0, -3, 3, kLift, kLift, 3, -2, 0, 0, 3, 3, kLift, kLift, 0, -4, 0, 0}},
    {5, 5, {-3,    -2,    0, 0,  -3, 3, kLift, kLift, 3,  -2, 0,  0,  3,  3,
            kLift, kLift, 0, -4, 0,  0, kLift, kLift, -3, -4, -2, -4, -2, -3}},
    {5, 5, {0, 3, 2, 1, 2, -2, 0, -4, -2, -2, 0, 0, 2, -2, 0, 0}},
    {3, 3, {-5, -2, 4, -2, kLift, kLift, -5, 1, 4, 1}},
    {2, 2, {-5, -2, 4, -2, kLift, kLift, -5, 1, 4, 1, kLift, kLift, -4, 2, 3, -4}},
};

} // namespace

MarkerGlyph MarkerGlyphOfCode(int code) {
    MarkerGlyph glyph;
    if (code < 1 || code > static_cast<int>(std::size(kGlyphs)))
        return glyph;
    const StoredGlyph& stored = kGlyphs[code - 1];
    glyph.screenPen = stored.screenPen;
    glyph.paperPen = stored.paperPen;
    bool lifted = true;
    const signed char* pair = stored.pairs.data();
    for (const signed char* end = pair + stored.pairs.size(); pair + 1 < end; pair += 2) {
        if (pair[0] == kLift && pair[1] == kLift) {
            lifted = true;
            continue;
        }
        if (lifted)
            glyph.polylines.emplace_back();
        glyph.polylines.back().push_back(
            {static_cast<long double>(pair[0]), static_cast<long double>(pair[1])});
        lifted = false;
    }
    return glyph;
}

} // namespace exo
