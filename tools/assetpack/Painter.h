#pragma once
// Anti-aliased shapes drawn through a transform onto a canvas: the pack's
// pictures are built from these (ellipses, rounded boxes, capsules, polygons,
// soft glows). Every shape may carry a dark outline and a top-lit shading so
// that all pictures share one look.
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assetpack/Canvas.h"

struct Vec2 {
    double x = 0, y = 0;
};

// x' = a x + b y + tx; y' = c x + d y + ty
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    Vec2 Apply(Vec2 p) const { return Vec2{a * p.x + b * p.y + tx, c * p.x + d * p.y + ty}; }
    Affine Then(const Affine& outer) const;  // this first, then outer
    Affine Inverse() const;
    double Scale() const;  // mean length scale
};

struct Paint {
    Rgba fill{255, 255, 255, 255};
    Rgba outline{0, 0, 0, 0};  // alpha 0: no outline
    double outlineWidth = 0;   // in pixels
    double shade = 0;          // 0 flat; >0 lighter at the shape's top, darker at its bottom
    double softness = 0;       // extra blur of the edge, in pixels
};

Rgba Mix(Rgba a, Rgba b, double t);
Rgba WithAlpha(Rgba c, uint8_t a);

class Painter {
public:
    explicit Painter(Canvas& canvas) : m_canvas(canvas) {}

    Canvas& Target() { return m_canvas; }
    void Push() { m_stack.push_back(m_t); }
    void Pop() {
        m_t = m_stack.back();
        m_stack.pop_back();
    }
    void Translate(double x, double y);
    void Rotate(double radians);
    void ScaleBy(double sx, double sy);
    void SetAlpha(double a) { m_alpha = a; }  // multiplies everything drawn
    double Alpha() const { return m_alpha; }

    void Ellipse(double cx, double cy, double rx, double ry, const Paint& p);
    void Circle(double cx, double cy, double r, const Paint& p) { Ellipse(cx, cy, r, r, p); }
    void Box(double x, double y, double w, double h, double radius, const Paint& p);  // top-left corner
    void Capsule(double x0, double y0, double x1, double y1, double r, const Paint& p);
    void Polygon(const std::vector<Vec2>& points, const Paint& p);
    // A radial glow: colour at the centre fading to nothing at radius.
    void Glow(double cx, double cy, double r, Rgba colour, double falloff = 2.0);
    // A ring of the given width around radius r.
    void Ring(double cx, double cy, double r, double width, const Paint& p);

private:
    // Draws a shape given its signed distance (local units, <0 inside) over
    // a local bounding box.
    void Shape(const std::function<double(Vec2)>& sdf, double x0, double y0, double x1, double y1, const Paint& p);

    Canvas& m_canvas;
    Affine m_t;
    std::vector<Affine> m_stack;
    double m_alpha = 1.0;
};

// Reproducible pseudo-random numbers for the pictures (never the game's generator).
class ArtRandom {
public:
    explicit ArtRandom(uint32_t seed) : m_state(seed * 2654435761u + 0x9e3779b9u) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double Unit() { return (Next() & 0xffffff) / double(0x1000000); }  // 0..1
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    uint32_t m_state;
};

uint32_t HashText(const std::string& s);
// Smooth noise, periodic in x with the given period, and in y too when
// periodY > 0 (for tiles that join on every side).
double PeriodicNoise(double x, double y, double period, uint32_t seed, double periodY = 0);
