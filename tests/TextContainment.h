#pragma once
// Whether the text a screen draws stays on the panel pictures under it.
// A Scene reads one frame's draws from the recording device: every draw is
// taken to the logical screen (centre origin, y up), through the render
// targets it was kept in; each glyph and picture is cut to its inked pixels
// (alpha above a threshold), so see-through borders of a panel do not count
// as panel. A glyph belongs to the latest panel picture whose inked rectangle
// holds the glyph's centre; it fits when its ink lies inside that panel's ink
// shrunk by the margin.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "engine/VxTexture.h"
#include "platform/host/RecordingDevice.h"

namespace containment {

// The margin the screens' texts keep: glyph ink this far inside the panel's ink.
constexpr float kMargin = 4.0f;

// Logical pixels, y up.
struct Rect {
    float left = 0, bottom = 0, right = 0, top = 0;
    bool Empty() const { return right <= left || top <= bottom; }
    float CentreX() const { return (left + right) * 0.5f; }
    float CentreY() const { return (bottom + top) * 0.5f; }
    bool Holds(float x, float y) const { return x >= left && x <= right && y >= bottom && y <= top; }
    bool Holds(const Rect& r, float margin) const {
        return r.left >= left + margin && r.right <= right - margin && r.bottom >= bottom + margin &&
               r.top <= top - margin;
    }
    Rect Clip(const Rect& r) const {
        return {std::max(left, r.left), std::max(bottom, r.bottom), std::min(right, r.right), std::min(top, r.top)};
    }
    std::string Text() const {
        char b[96];
        std::snprintf(b, sizeof b, "(%.0f,%.0f)-(%.0f,%.0f)", left, bottom, right, top);
        return b;
    }
};

// One drawn piece on the screen.
struct Piece {
    std::string picture;  // texture name, "" when unknown
    Rect ink;
    char glyph = 0;  // the character, for glyphs
    size_t order = 0;
    bool cut = false;  // part of it fell past the edge of the target it was kept in
    Rect drawn;        // the whole quad, see-through parts included
    // Its first corner's colour, alpha in the top byte, and how it meets
    // the texture (host::TOP_MODULATE, or host::TOP_ADD for a glow).
    uint32_t colour = 0;
    uint32_t colourOp = 0;
};

// The names of the device textures that the given owners hold: their
// billboards, button faces and fonts.
class TextureNames {
public:
    void Add(CVxResourceManager* owner) {
        if (!owner) return;
        for (CVxObject* o : owner->m_lstObjects) AddBoard(dynamic_cast<CVxBillboard*>(o));
        for (CVxObject* o : owner->m_lstExtra) AddBoard(dynamic_cast<CVxBillboard*>(o));
        for (CVxTexture* t : owner->m_lstTextures) AddTexture(t);
        for (CVxObject* o : owner->m_lstFonts)
            if (auto* font = dynamic_cast<CVxFont*>(o)) AddFont(font);
    }
    void AddBoard(CVxBillboard* board) {
        if (board) AddTexture(board->m_pTexture);
    }
    void AddTexture(CVxTexture* t) {
        if (t && t->m_pTexture && t->m_pszName) names[t->m_pTexture] = t->m_pszName;
    }
    void AddFont(CVxFont* font) {
        if (!font || !font->m_pTextureBoard || !font->m_pTextureBoard->m_pTexture) return;
        const host::TextureHandle h = font->m_pTextureBoard->m_pTexture->m_pTexture;
        if (!h) return;
        names[h] = font->m_pTextureBoard->m_pTexture->m_pszName ? font->m_pTextureBoard->m_pTexture->m_pszName : "font";
        fonts[h] = font;
    }
    std::string NameOf(host::TextureHandle h) const {
        auto it = names.find(h);
        return it == names.end() ? std::string() : it->second;
    }

    std::map<host::TextureHandle, std::string> names;
    std::map<host::TextureHandle, CVxFont*> fonts;
};

class Scene {
public:
    // screenW/H: the logical screen the back buffer shows.
    Scene(const host::RecordingDevice& device, const TextureNames& names, float screenW, float screenH)
        : m_device(device), m_names(names), m_w(screenW), m_h(screenH) {
        const auto& draws = device.draws;
        for (size_t i = 0; i < draws.size(); ++i) {
            const host::DrawRecord& d = draws[i];
            if (d.pretransformed || d.vertices.size() < 3 || !d.state.texture) continue;
            if (d.state.render[host::RS_ALPHABLENDENABLE] && (d.vertices[0].color >> 24) == 0) continue;
            Rect ink;
            char glyph = 0;
            if (!InkOf(d, ink, glyph)) continue;
            Rect shown;
            bool cut = false;
            if (!ToScreen(i, ink, shown, cut)) continue;
            Piece p{m_names.NameOf(d.state.texture), shown, glyph, i, cut, Rect{}, d.vertices[0].color,
                    d.state.stage[host::TSS_COLOROP]};
            Affine f;
            bool quadCut = false;
            if (AffineOf(d, f)) {
                const Rect uv = UvBounds(d);
                ToScreen(i, MapBox(f, uv.left, uv.bottom, uv.right, uv.top), p.drawn, quadCut);
            }
            (m_names.fonts.count(d.state.texture) ? glyphs : pictures).push_back(p);
        }
    }

    // Glyphs that stand on none of the panels or run past their edge (less the
    // margin), as one line each: the run of characters and where it lies.
    std::vector<std::string> Outside(const std::vector<std::string>& panels, float margin) const {
        std::vector<std::string> out;
        std::string run, where;
        auto flush = [&] {
            if (!run.empty()) out.push_back("\"" + run + "\" " + where);
            run.clear();
        };
        for (const Piece& g : glyphs) {
            const Piece* panel = PanelUnder(g, panels);
            std::string w;
            if (!panel) w = "on no panel";
            else if (!panel->ink.Holds(g.ink, margin)) w = "past " + panel->picture + " " + panel->ink.Text();
            else {
                flush();
                continue;
            }
            if (w != where) flush();
            where = w;
            run += g.glyph ? g.glyph : '?';
        }
        flush();
        return out;
    }
    // Pictures named like `name` that lie outside the panels (less the margin).
    std::vector<std::string> PicturesOutside(const std::string& name, const std::vector<std::string>& panels,
                                             float margin) const {
        std::vector<std::string> out;
        for (const Piece& p : pictures) {
            if (p.picture.find(name) == std::string::npos) continue;
            const Piece* panel = PanelUnder(p, panels);
            if (!panel || !panel->ink.Holds(p.ink, margin))
                out.push_back(p.picture + " " + p.ink.Text() + (panel ? " past " + panel->ink.Text() : " on no panel"));
        }
        return out;
    }
    // Pictures named like one of `names` whose ink runs past the screen's
    // edge, or was cut off by the edge of the screen-sized target it was kept in.
    std::vector<std::string> OffScreen(const std::vector<std::string>& names) const {
        const Rect screen{-m_w * 0.5f, -m_h * 0.5f, m_w * 0.5f, m_h * 0.5f};
        std::vector<std::string> out;
        for (const Piece& p : pictures) {
            bool named = false;
            for (const std::string& n : names) named = named || p.picture.find(n) != std::string::npos;
            if (!named) continue;
            if (p.cut) out.push_back(p.picture + " " + p.ink.Text() + " cut off by the edge of its kept picture");
            else if (!screen.Holds(p.ink, -0.5f))
                out.push_back(p.picture + " " + p.ink.Text() + " past the screen " + screen.Text());
        }
        return out;
    }
    // The same frame with only the glyphs whose ink centre lies below y.
    Scene GlyphsBelow(float y) const {
        Scene s = *this;
        s.glyphs.erase(
            std::remove_if(s.glyphs.begin(), s.glyphs.end(), [y](const Piece& g) { return g.ink.CentreY() >= y; }),
            s.glyphs.end());
        return s;
    }
    // The inked rectangles of the pictures named like `name`, in drawing order.
    std::vector<Rect> InkOf(const std::string& name) const {
        std::vector<Rect> out;
        for (const Piece& p : pictures)
            if (p.picture.find(name) != std::string::npos) out.push_back(p.ink);
        return out;
    }
    std::string Text() const {
        std::string s;
        for (const Piece& g : glyphs) s += g.glyph ? g.glyph : '?';
        return s;
    }
    // Cuts of a sheet that take ink from past their edge: where a cut's outer
    // two texels are see-through and the sheet's next two are inked, the
    // filter and the sheet's first smaller level (two texels a texel) blend
    // that ink in as a line along the edge. One line per such edge.
    std::vector<std::string> InkFromPastTheCuts() const {
        std::vector<std::string> out;
        std::set<std::tuple<host::TextureHandle, int, int, int, int>> seen;
        for (const host::DrawRecord& d : m_device.draws) {
            int w = 0, h = 0;
            const std::vector<uint8_t>* pixels = d.state.texture ? m_device.TexturePixels(d.state.texture) : nullptr;
            if (d.vertices.size() < 3 || !pixels || pixels->empty() || m_device.IsRenderTarget(d.state.texture) ||
                !m_device.TextureSize(d.state.texture, w, h))
                continue;
            const Rect uv = UvBounds(d);
            const int x0 = int(std::lround(uv.left * float(w))), x1 = int(std::lround(uv.right * float(w)));
            const int y0 = int(std::lround(uv.bottom * float(h))), y1 = int(std::lround(uv.top * float(h)));
            if (x0 < 0 || y0 < 0 || x1 > w || y1 > h || x1 - x0 < 2 || y1 - y0 < 2 ||
                !seen.emplace(d.state.texture, x0, y0, x1, y1).second)
                continue;
            auto alpha = [&](int x, int y) {
                x = std::clamp(x, 0, w - 1), y = std::clamp(y, 0, h - 1);
                return (*pixels)[(size_t(y) * size_t(w) + size_t(x)) * 4 + 3];
            };
            // Each edge inside the sheet: its first texel, the step along it, the step out.
            const struct {
                const char* side;
                bool inside;
                int x, y, ax, ay, ox, oy, n;
            } edges[] = {{"top", y0 > 0, x0, y0, 1, 0, 0, -1, x1 - x0},
                         {"bottom", y1 < h, x0, y1 - 1, 1, 0, 0, 1, x1 - x0},
                         {"left", x0 > 0, x0, y0, 0, 1, -1, 0, y1 - y0},
                         {"right", x1 < w, x1 - 1, y0, 0, 1, 1, 0, y1 - y0}};
            for (const auto& e : edges) {
                int count = 0;
                for (int k = 0; e.inside && k < e.n; ++k) {
                    const int x = e.x + k * e.ax, y = e.y + k * e.ay;
                    const int in = std::max(alpha(x, y), alpha(x - e.ox, y - e.oy));
                    const int past = std::max(alpha(x + e.ox, y + e.oy), alpha(x + 2 * e.ox, y + 2 * e.oy));
                    count += in <= kClearAlpha && past > kInkAlpha;
                }
                if (count > 0)
                    out.push_back(m_names.NameOf(d.state.texture) + " cut " +
                                  Rect{float(x0), float(y0), float(x1), float(y1)}.Text() + ": " +
                                  std::to_string(count) + " texels of ink past its " + e.side + " edge");
            }
        }
        return out;
    }

    std::vector<Piece> glyphs, pictures;

private:
    const Piece* PanelUnder(const Piece& g, const std::vector<std::string>& panels) const {
        const Piece* best = nullptr;
        for (const Piece& p : pictures) {
            bool named = false;
            for (const std::string& n : panels) named = named || p.picture.find(n) != std::string::npos;
            if (named && p.ink.Holds(g.ink.CentreX(), g.ink.CentreY()) && (!best || p.order > best->order)) best = &p;
        }
        return best;
    }

    // v * world * view * projection, to normalised device coordinates.
    static void Project(const host::DrawRecord& d, float x, float y, float z, float& nx, float& ny) {
        const host::Matrix m = host::Multiply(host::Multiply(d.state.world, d.state.view), d.state.projection);
        const float cx = x * m[0] + y * m[4] + z * m[8] + m[12];
        const float cy = x * m[1] + y * m[5] + z * m[9] + m[13];
        const float cw = x * m[3] + y * m[7] + z * m[11] + m[15];
        nx = cw != 0.0f ? cx / cw : cx;
        ny = cw != 0.0f ? cy / cw : cy;
    }
    // The affine map from texture (u, v) to device coordinates of a draw.
    struct Affine {
        float ax, bx, cx, ay, by, cy;  // n = a * u + b * v + c
        void Apply(float u, float v, float& x, float& y) const {
            x = ax * u + bx * v + cx;
            y = ay * u + by * v + cy;
        }
    };
    static bool AffineOf(const host::DrawRecord& d, Affine& f) {
        float nx[3], ny[3];
        for (int k = 0; k < 3; ++k) Project(d, d.vertices[k].x, d.vertices[k].y, d.vertices[k].z, nx[k], ny[k]);
        const float du1 = d.vertices[1].u - d.vertices[0].u, dv1 = d.vertices[1].v - d.vertices[0].v;
        const float du2 = d.vertices[2].u - d.vertices[0].u, dv2 = d.vertices[2].v - d.vertices[0].v;
        const float det = du1 * dv2 - du2 * dv1;
        if (std::fabs(det) < 1e-9f) return false;
        auto solve = [&](const float* n, float& a, float& b, float& c) {
            const float d1 = n[1] - n[0], d2 = n[2] - n[0];
            a = (d1 * dv2 - d2 * dv1) / det;
            b = (du1 * d2 - du2 * d1) / det;
            c = n[0] - a * d.vertices[0].u - b * d.vertices[0].v;
        };
        solve(nx, f.ax, f.bx, f.cx);
        solve(ny, f.ay, f.by, f.cy);
        return true;
    }
    // Bounds of the (u, v) corners of a box through the map.
    static Rect MapBox(const Affine& f, float u0, float v0, float u1, float v1) {
        Rect r{1e9f, 1e9f, -1e9f, -1e9f};
        const float us[2] = {u0, u1}, vs[2] = {v0, v1};
        for (float u : us)
            for (float v : vs) {
                float x, y;
                f.Apply(u, v, x, y);
                r.left = std::min(r.left, x);
                r.right = std::max(r.right, x);
                r.bottom = std::min(r.bottom, y);
                r.top = std::max(r.top, y);
            }
        return r;
    }

    // The texture coordinates a draw spans: u across, v as bottom..top.
    static Rect UvBounds(const host::DrawRecord& d) {
        Rect r{1e9f, 1e9f, -1e9f, -1e9f};
        for (const host::Vertex& v : d.vertices) {
            r.left = std::min(r.left, v.u);
            r.right = std::max(r.right, v.u);
            r.bottom = std::min(r.bottom, v.v);
            r.top = std::max(r.top, v.v);
        }
        return r;
    }

    // The draw's inked pixels, in the device coordinates of its target.
    bool InkOf(const host::DrawRecord& d, Rect& out, char& glyph) const {
        int tw = 0, th = 0;
        if (!m_device.TextureSize(d.state.texture, tw, th) || tw <= 0 || th <= 0) return false;
        const Rect uvs = UvBounds(d);
        const float u0 = uvs.left, v0 = uvs.bottom, u1 = uvs.right, v1 = uvs.top;
        Affine f;
        if (!AffineOf(d, f)) return false;
        auto font = m_names.fonts.find(d.state.texture);
        if (font != m_names.fonts.end() && font->second->m_nCols > 0 && font->second->m_nRows > 0) {
            const int col = int((u0 + u1) * 0.5f * float(font->second->m_nCols));
            const int row = int((v0 + v1) * 0.5f * float(font->second->m_nRows));
            int code = row * font->second->m_nCols + col;
            if (code >= 128) code -= 7 * font->second->m_nCols;  // the title rows lie seven rows down
            glyph = code > 32 && code < 127 ? char(code) : '?';
        }
        const std::vector<uint8_t>* pixels = m_device.TexturePixels(d.state.texture);
        if (m_device.IsRenderTarget(d.state.texture) || !pixels || pixels->empty()) {
            out = MapBox(f, u0, v0, u1, v1);  // kept content: placed through ToScreen of its own draws
            return !m_device.IsRenderTarget(d.state.texture);
        }
        const int x0 = std::max(0, int(std::floor(u0 * float(tw)))), x1 = std::min(tw, int(std::ceil(u1 * float(tw))));
        const int y0 = std::max(0, int(std::floor(v0 * float(th)))), y1 = std::min(th, int(std::ceil(v1 * float(th))));
        const auto key = std::make_tuple(d.state.texture, x0, y0, x1, y1);
        auto cached = m_inkCache.find(key);
        int ix0, iy0, ix1, iy1;
        if (cached != m_inkCache.end()) std::tie(ix0, iy0, ix1, iy1) = cached->second;
        else {
            ix0 = x1, iy0 = y1, ix1 = x0, iy1 = y0;
            // Each row from both ends to its first ink: the tests build unoptimised,
            // and a whole scan of every picture on every screen costs seconds.
            for (int y = y0; y < y1; ++y) {
                const uint8_t* alpha = pixels->data() + size_t(y) * size_t(tw) * 4 + 3;
                int left = x0;
                while (left < x1 && alpha[size_t(left) * 4] <= kInkAlpha) ++left;
                if (left == x1) continue;
                int right = x1 - 1;
                while (alpha[size_t(right) * 4] <= kInkAlpha) --right;
                if (left < ix0) ix0 = left;
                if (right + 1 > ix1) ix1 = right + 1;
                if (y < iy0) iy0 = y;
                iy1 = y + 1;
            }
            m_inkCache[key] = std::make_tuple(ix0, iy0, ix1, iy1);
        }
        if (ix1 <= ix0 || iy1 <= iy0) return false;  // nothing inked
        out = MapBox(f, float(ix0) / float(tw), float(iy0) / float(th), float(ix1) / float(tw), float(iy1) / float(th));
        return true;
    }

    // Device coordinates of draw i's target to the logical screen, through
    // each render target's later showing; false when it is never shown. `cut`
    // tells that a target's edge cut some of it off.
    bool ToScreen(size_t i, const Rect& ndc, Rect& out, bool& cut) const {
        host::TextureHandle target = m_device.draws[i].target;
        Rect r = ndc;
        size_t from = i;
        for (int depth = 0; target != 0 && depth < 8; ++depth) {
            // The last showing before the target is drawn into again.
            size_t j = m_device.draws.size();
            for (size_t k = from + 1; k < m_device.draws.size(); ++k) {
                const host::DrawRecord& d = m_device.draws[k];
                if (d.target == target && j != m_device.draws.size()) break;
                if (d.state.texture == target && d.target != target) j = k;
            }
            if (j >= m_device.draws.size()) return false;
            const host::DrawRecord& show = m_device.draws[j];
            if (show.vertices.size() < 3) return false;
            Affine f;
            if (!AffineOf(show, f)) return false;
            // Target device coordinates to its (u, v): v = 0 at the top.
            const Rect uv{(r.left + 1.0f) * 0.5f, (1.0f - r.top) * 0.5f, (r.right + 1.0f) * 0.5f,
                          (1.0f - r.bottom) * 0.5f};
            const Rect shownUv = UvBounds(show);
            const Rect kept = shownUv.Clip(uv);
            if (kept.Empty()) return false;
            const float eps = 1e-3f;  // under a pixel of the target
            cut = cut || kept.left > uv.left + eps || kept.right < uv.right - eps || kept.bottom > uv.bottom + eps ||
                  kept.top < uv.top - eps;
            r = MapBox(f, kept.left, kept.bottom, kept.right, kept.top);
            target = show.target;
            from = j;
        }
        if (target != 0) return false;
        out = Rect{r.left * m_w * 0.5f, r.bottom * m_h * 0.5f, r.right * m_w * 0.5f, r.top * m_h * 0.5f};
        return !out.Empty();
    }

    static constexpr uint8_t kInkAlpha = 96;
    static constexpr uint8_t kClearAlpha = 8;
    const host::RecordingDevice& m_device;
    const TextureNames& m_names;
    float m_w, m_h;
    mutable std::map<std::tuple<host::TextureHandle, int, int, int, int>, std::tuple<int, int, int, int>> m_inkCache;
};

// One line per fault, joined for a test's message.
inline std::string Lines(const std::vector<std::string>& faults) {
    std::string s;
    for (const std::string& f : faults) s += "\n  " + f;
    return s;
}

}  // namespace containment
