#include "tools/assetpack/Painter.h"

#include <algorithm>
#include <cmath>
#include <string>

Affine Affine::Then(const Affine& o) const {
    Affine r;
    r.a = o.a * a + o.b * c;
    r.b = o.a * b + o.b * d;
    r.c = o.c * a + o.d * c;
    r.d = o.c * b + o.d * d;
    r.tx = o.a * tx + o.b * ty + o.tx;
    r.ty = o.c * tx + o.d * ty + o.ty;
    return r;
}

Affine Affine::Inverse() const {
    double det = a * d - b * c;
    if (std::fabs(det) < 1e-12) det = 1e-12;
    Affine r;
    r.a = d / det;
    r.b = -b / det;
    r.c = -c / det;
    r.d = a / det;
    r.tx = -(r.a * tx + r.b * ty);
    r.ty = -(r.c * tx + r.d * ty);
    return r;
}

double Affine::Scale() const { return std::sqrt(std::fabs(a * d - b * c)); }

Rgba Mix(Rgba a, Rgba b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba WithAlpha(Rgba c, uint8_t a) {
    c.a = a;
    return c;
}

void Painter::Translate(double x, double y) {
    Affine t;
    t.tx = x;
    t.ty = y;
    m_t = t.Then(m_t);
}

void Painter::Rotate(double radians) {
    Affine r;
    r.a = std::cos(radians);
    r.b = -std::sin(radians);
    r.c = std::sin(radians);
    r.d = std::cos(radians);
    m_t = r.Then(m_t);
}

void Painter::ScaleBy(double sx, double sy) {
    Affine s;
    s.a = sx;
    s.d = sy;
    m_t = s.Then(m_t);
}

void Painter::Shape(const std::function<double(Vec2)>& sdf, double x0, double y0, double x1, double y1,
                    const Paint& p) {
    double scale = m_t.Scale();
    double pad = (p.outlineWidth + p.softness + 2.0) / std::max(scale, 1e-6);
    x0 -= pad;
    y0 -= pad;
    x1 += pad;
    y1 += pad;
    // Screen bounds of the local box.
    Vec2 corners[4] = {m_t.Apply({x0, y0}), m_t.Apply({x1, y0}), m_t.Apply({x0, y1}), m_t.Apply({x1, y1})};
    double sx0 = corners[0].x, sx1 = sx0, sy0 = corners[0].y, sy1 = sy0;
    for (const Vec2& c : corners) {
        sx0 = std::min(sx0, c.x);
        sx1 = std::max(sx1, c.x);
        sy0 = std::min(sy0, c.y);
        sy1 = std::max(sy1, c.y);
    }
    int ix0 = std::max(0, static_cast<int>(std::floor(sx0)));
    int iy0 = std::max(0, static_cast<int>(std::floor(sy0)));
    int ix1 = std::min(m_canvas.Width() - 1, static_cast<int>(std::ceil(sx1)));
    int iy1 = std::min(m_canvas.Height() - 1, static_cast<int>(std::ceil(sy1)));
    Affine inv = m_t.Inverse();
    double ymid = (y0 + y1) / 2, yhalf = std::max(1e-6, (y1 - y0) / 2 - pad);
    double edge = 1.0 + p.softness;
    bool outlined = p.outline.a > 0 && p.outlineWidth > 0;
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            Vec2 local = inv.Apply({x + 0.5, y + 0.5});
            double d = sdf(local) * scale;  // pixels, <0 inside
            double cover = std::clamp(0.5 - d / edge, 0.0, 1.0);
            if (cover <= 0.0) continue;
            Rgba c = p.fill;
            if (p.shade != 0) {
                double t = (local.y - ymid) / yhalf;  // -1 top .. 1 bottom
                c = t < 0 ? Mix(c, Rgba{255, 255, 255, c.a}, -t * p.shade * 0.45)
                          : Mix(c, Rgba{0, 0, 0, c.a}, t * p.shade * 0.45);
            }
            if (outlined) {
                double inner = std::clamp(0.5 - (d + p.outlineWidth), 0.0, 1.0);
                c = Mix(p.outline, c, inner);
            }
            double a = cover * m_alpha;
            m_canvas.Blend(x, y, c, static_cast<uint8_t>(std::lround(a * 255)));
        }
    }
}

void Painter::Ellipse(double cx, double cy, double rx, double ry, const Paint& p) {
    if (rx <= 0 || ry <= 0) return;
    // Scaled-circle distance, corrected by the gradient length: good near the edge.
    Shape(
        [=](Vec2 q) {
            double nx = (q.x - cx) / rx, ny = (q.y - cy) / ry;
            double k = std::sqrt(nx * nx + ny * ny);
            double gx = nx / rx, gy = ny / ry;
            double g = std::sqrt(gx * gx + gy * gy);
            if (k < 1e-9) return -std::min(rx, ry);
            return (k - 1.0) * k / std::max(g, 1e-9);
        },
        cx - rx, cy - ry, cx + rx, cy + ry, p);
}

void Painter::Box(double x, double y, double w, double h, double radius, const Paint& p) {
    double cx = x + w / 2, cy = y + h / 2;
    double hx = w / 2, hy = h / 2;
    radius = std::min({radius, hx, hy});
    Shape(
        [=](Vec2 q) {
            double dx = std::fabs(q.x - cx) - (hx - radius), dy = std::fabs(q.y - cy) - (hy - radius);
            double ox = std::max(dx, 0.0), oy = std::max(dy, 0.0);
            return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0) - radius;
        },
        x, y, x + w, y + h, p);
}

void Painter::Capsule(double x0, double y0, double x1, double y1, double r, const Paint& p) {
    Shape(
        [=](Vec2 q) {
            double bx = x1 - x0, by = y1 - y0;
            double px = q.x - x0, py = q.y - y0;
            double len = bx * bx + by * by;
            double h = len > 0 ? std::clamp((px * bx + py * by) / len, 0.0, 1.0) : 0.0;
            double dx = px - bx * h, dy = py - by * h;
            return std::sqrt(dx * dx + dy * dy) - r;
        },
        std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r, p);
}

void Painter::Polygon(const std::vector<Vec2>& v, const Paint& p) {
    if (v.size() < 3) return;
    double x0 = v[0].x, x1 = x0, y0 = v[0].y, y1 = y0;
    for (const Vec2& q : v) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    Shape(
        [&v](Vec2 q) {
            double d = 1e30;
            bool inside = false;
            for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                double ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
                double wx = q.x - v[i].x, wy = q.y - v[i].y;
                double len = ex * ex + ey * ey;
                double h = len > 0 ? std::clamp((wx * ex + wy * ey) / len, 0.0, 1.0) : 0.0;
                double bx = wx - ex * h, by = wy - ey * h;
                d = std::min(d, bx * bx + by * by);
                if ((v[i].y > q.y) != (v[j].y > q.y) &&
                    q.x < (v[j].x - v[i].x) * (q.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                    inside = !inside;
            }
            return inside ? -std::sqrt(d) : std::sqrt(d);
        },
        x0, y0, x1, y1, p);
}

void Painter::Ring(double cx, double cy, double r, double width, const Paint& p) {
    Shape(
        [=](Vec2 q) {
            double dx = q.x - cx, dy = q.y - cy;
            return std::fabs(std::sqrt(dx * dx + dy * dy) - r) - width / 2;
        },
        cx - r - width, cy - r - width, cx + r + width, cy + r + width, p);
}

void Painter::Glow(double cx, double cy, double r, Rgba colour, double falloff) {
    if (r <= 0) return;
    Vec2 corners[4] = {m_t.Apply({cx - r, cy - r}), m_t.Apply({cx + r, cy - r}), m_t.Apply({cx - r, cy + r}),
                       m_t.Apply({cx + r, cy + r})};
    double sx0 = corners[0].x, sx1 = sx0, sy0 = corners[0].y, sy1 = sy0;
    for (const Vec2& c : corners) {
        sx0 = std::min(sx0, c.x);
        sx1 = std::max(sx1, c.x);
        sy0 = std::min(sy0, c.y);
        sy1 = std::max(sy1, c.y);
    }
    Affine inv = m_t.Inverse();
    int ix0 = std::max(0, static_cast<int>(std::floor(sx0))), iy0 = std::max(0, static_cast<int>(std::floor(sy0)));
    int ix1 = std::min(m_canvas.Width() - 1, static_cast<int>(std::ceil(sx1)));
    int iy1 = std::min(m_canvas.Height() - 1, static_cast<int>(std::ceil(sy1)));
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            Vec2 q = inv.Apply({x + 0.5, y + 0.5});
            double dx = q.x - cx, dy = q.y - cy;
            double t = 1.0 - std::sqrt(dx * dx + dy * dy) / r;
            if (t <= 0) continue;
            double a = std::pow(t, falloff) * m_alpha;
            m_canvas.Blend(x, y, colour, static_cast<uint8_t>(std::lround(std::min(1.0, a) * 255)));
        }
}

uint32_t HashText(const std::string& s) {
    uint32_t h = 2166136261u;
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    return h;
}

namespace {

double Lattice(int x, int y, uint32_t seed) {
    uint32_t h = seed ^ (static_cast<uint32_t>(x) * 374761393u) ^ (static_cast<uint32_t>(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffff) / 65535.0;
}

}  // namespace

double PeriodicNoise(double x, double y, double period, uint32_t seed, double periodY) {
    // Value noise on a lattice of 8 cells per period, wrapped in x (and y).
    constexpr int cells = 8;
    double fx = x / period * cells, fy = y / (periodY > 0 ? periodY : period) * cells;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto wrap = [](int i) { return ((i % cells) + cells) % cells; };
    auto wrapY = [&](int i) { return periodY > 0 ? wrap(i) : i; };
    double a = Lattice(wrap(ix), wrapY(iy), seed), b = Lattice(wrap(ix + 1), wrapY(iy), seed);
    double c = Lattice(wrap(ix), wrapY(iy + 1), seed), d = Lattice(wrap(ix + 1), wrapY(iy + 1), seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}
