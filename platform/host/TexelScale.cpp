#include "platform/host/TexelScale.h"

#include <algorithm>
#include <cmath>

namespace host {

namespace {
// Leaves room for the rounding of a picture drawn texel for pixel: a level
// reached by so little weighs nothing in an 8-bit colour.
constexpr double kSlack = 1e-4;
}  // namespace

bool NeverShrunk(const ScreenCorner* corners, size_t count, int texWidth, int texHeight) {
    if (texWidth <= 0 || texHeight <= 0) return false;
    for (size_t i = 0; i + 2 < count; i += 3) {
        const ScreenCorner &a = corners[i], &b = corners[i + 1], &c = corners[i + 2];
        if (a.w != b.w || a.w != c.w) return false;
        const double x1 = b.x - a.x, y1 = b.y - a.y, x2 = c.x - a.x, y2 = c.y - a.y;
        const double det = x1 * y2 - x2 * y1;
        if (std::fabs(det) < 1e-9) continue;  // covers no pixel
        // Texel steps per pixel along x and y, solved from the two edges.
        auto steps = [&](double t0, double t1, double t2, int size, double& dx, double& dy) {
            const double d1 = (t1 - t0) * size, d2 = (t2 - t0) * size;
            dx = (d1 * y2 - d2 * y1) / det;
            dy = (x1 * d2 - x2 * d1) / det;
        };
        double dudx, dudy, dvdx, dvdy;
        steps(a.u, b.u, c.u, texWidth, dudx, dudy);
        steps(a.v, b.v, c.v, texHeight, dvdx, dvdy);
        // Per screen axis, the texel step by its widest measure (u and v added): the
        // true length for upright triangles, more than any renderer takes for turned ones.
        const double widest = std::max(std::fabs(dudx) + std::fabs(dvdx), std::fabs(dudy) + std::fabs(dvdy));
        if (!(widest <= 1.0 + kSlack)) return false;
    }
    return true;
}

}  // namespace host
