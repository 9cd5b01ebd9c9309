#pragma once
// How far apart a drawn triangle samples its picture: the software renderer
// pays for the filter between a picture's levels on every pixel, though a
// triangle that never shrinks its picture reads the full-size level alone.
#include <cstddef>

namespace host {

// A corner as drawn: its place on the target in pixels, its clip w and where
// it samples the picture (0..1 across it).
struct ScreenCorner {
    double x, y, w, u, v;
};

// True when no triangle of the list (corners in threes) steps more than one
// texel per pixel along either screen axis (the steps along u and v added, the
// widest a renderer measures them); such triangles are sampled as magnified,
// and a sampler without the smaller levels gives the same pixels.
// A triangle whose corners differ in w is seen in perspective and counts as shrunk.
bool NeverShrunk(const ScreenCorner* corners, size_t count, int texWidth, int texHeight);

}  // namespace host
