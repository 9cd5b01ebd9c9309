#include "platform/host/GlDeviceShaders.h"

namespace host {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUV;
uniform mat4 uViewProj;
uniform vec2 uOffset;
out vec4 vColor;
out vec2 vUV;
void main() {
    vec4 p = uViewProj * aPos;
    // Pixel centres sit on whole coordinates on the device we emulate.
    p.xy += uOffset * p.w;
    // Depth runs 0..1 there and -1..1 here.
    p.z = 2.0 * p.z - p.w;
    gl_Position = p;
    vColor = aColor;
    vUV = aUV;
}
)";

// The fragment program, built once for each combination of the states it
// reads: with the states as constants the compiler folds the stage
// arithmetic away, where one program reading them as uniforms paid for every
// branch on every pixel. The arithmetic left is the same, so the pixels are.
const char* const kFragmentShader = R"(
in vec4 vColor;
in vec2 vUV;
uniform sampler2D uTex;
uniform float uAlphaRef;
out vec4 fragColor;
vec4 arg(int a, vec4 tex) { return a == 2 ? tex : vColor; }
vec4 op(int o, vec4 a1, vec4 a2) {
    if (o == 2) return a1;
    if (o == 3) return a2;
    if (o == 4) return a1 * a2;
    if (o == 7) return min(a1 + a2, vec4(1.0));
    return vColor;
}
bool cmp(int f, float a, float r) {
    if (f == 1) return false;
    if (f == 2) return a < r;
    if (f == 3) return a == r;
    if (f == 4) return a <= r;
    if (f == 5) return a > r;
    if (f == 6) return a != r;
    if (f == 7) return a >= r;
    return true;
}
void main() {
    vec4 tex = vec4(1.0);
#if HAS_TEX
#if FLIP_V
    tex = texture(uTex, vec2(vUV.x, 1.0 - vUV.y));
#else
    tex = texture(uTex, vUV);
#endif
#endif
#if POST_PROCESS
    // The composition: the frame's picture tinted by the quad (the dim grey).
    fragColor = vec4(tex.rgb * vColor.rgb, tex.a);
#else
    vec3 rgb = op(COLOR_OP, arg(COLOR_ARG1, tex), arg(COLOR_ARG2, tex)).rgb;
    float a = op(ALPHA_OP, arg(ALPHA_ARG1, tex), arg(ALPHA_ARG2, tex)).a;
#if ALPHA_TEST
    if (!cmp(ALPHA_FUNC, floor(a * 255.0 + 0.5), uAlphaRef)) discard;
#endif
    fragColor = vec4(rgb, a);
#endif
}
)";

}  // namespace host
