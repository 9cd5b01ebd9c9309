#pragma once
// The fastest way this machine can draw a set of textured, alpha-blended
// screen quads: one buffer, one draw call, one trivial shader. Benchmarks
// compare the drawing device against it.
#include <memory>
#include <vector>

#include "platform/host/GraphicsDevice.h"

namespace host {

class GlReferenceQuads {
public:
    // Null when the device is not the GL one.
    static std::unique_ptr<GlReferenceQuads> Create(GraphicsDevice& device);
    virtual ~GlReferenceQuads() = default;
    // Draws quads (4 corners each, clockwise on screen) with alpha blending.
    virtual void Draw(const std::vector<VertexRHW>& corners, TextureHandle texture) = 0;
    // Draws a list of triangles (3 corners each) the same way; `levels`
    // samples between the picture's smaller levels where it is shrunk.
    virtual void DrawTriangles(const std::vector<VertexRHW>& triangles, TextureHandle texture, bool levels) = 0;
};

}  // namespace host
