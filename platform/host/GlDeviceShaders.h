#pragma once
// The drawing device's two programs, as GLSL text.

namespace host {

// Places a corner as the emulated device would, the world already applied.
extern const char* const kVertexShader;
// The texture stages, alpha test and blend inputs; its states come as
// #defines ahead of this text, one build for each combination.
extern const char* const kFragmentShader;

}  // namespace host
