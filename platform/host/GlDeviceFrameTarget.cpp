// The frame target on the back buffer. A frame builds its picture in a target
// of the screen's size and then copies that whole onto the back buffer; on a
// software renderer the target's clear and the copy cost as much as the rest
// of the frame. Named as the frame target, that picture is drawn on the back
// buffer itself, the back buffer's own clear is held back, and the copy finds
// the picture already in place. Any other use of the target first gives it
// its own storage with the picture copied in, so what is drawn is unchanged.
#include "platform/host/GlDevice.h"

namespace host {

void GlDevice::SetFrameTarget(TextureHandle target) { m_frameTarget = target; }

bool GlDevice::StartOnBackBuffer(uint32_t flags) {
    if (!m_target || m_target != m_frameTarget || m_onBackBuffer || !m_backBufferFree || m_heldFlags) return false;
    // Only a clear of colour and depth both leaves nothing of the target's old picture.
    if ((flags & (CLEAR_TARGET | CLEAR_ZBUFFER)) != (CLEAR_TARGET | CLEAR_ZBUFFER)) return false;
    int w, h;
    TargetSize(w, h);
    if (w != m_bbWidth || h != m_bbHeight) return false;
    m_onBackBuffer = m_target;
    m_backBufferFree = false;
    BindTarget(m_target);
    return true;
}

void GlDevice::MoveOffBackBuffer() {
    const TextureHandle target = m_onBackBuffer;
    if (!target) return;
    m_onBackBuffer = 0;
    auto it = m_textures.find(target);
    if (it == m_textures.end()) return;
    Realize(it->second);
    // The back buffer has no alpha of its own: the copy is opaque, which no
    // colour drawn from these screen pictures reads.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, it->second.framebuffer);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    glBlitFramebuffer(0, 0, it->second.width, it->second.height, 0, 0, it->second.width, it->second.height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_boundFramebuffer);
    if (m_target == target) BindTarget(target);  // drawing goes on into its own storage
    m_keyDirty = true;
}

void GlDevice::ClearHeldBack() {
    if (!m_heldFlags) return;
    if (m_boundFramebuffer != 0) glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ClearBound(m_heldFlags, m_heldColor, m_heldZ);
    if (m_boundFramebuffer != 0) glBindFramebuffer(GL_FRAMEBUFFER, m_boundFramebuffer);
    m_heldFlags = 0;
    m_keyDirty = true;
}

void GlDevice::TouchBackBuffer() {
    MoveOffBackBuffer();
    ClearHeldBack();
    m_backBufferFree = false;
}

bool GlDevice::CopyWhole(uint32_t type, uint32_t count, const VertexRHW* v) {
    // The composition's quad over the whole of a picture of the target's own
    // size, untinted, unblended: each pixel lands on its own texel centre, so
    // the draw is a copy, which the driver makes far cheaper as a blit.
    const DeviceState& s = m_state;
    if (!v || type != PT_TRIANGLESTRIP || count != 2 || s.shader != SHADER_POSTPROCESS) return false;
    if (s.render[RS_ALPHABLENDENABLE] || s.render[RS_ZENABLE] || s.render[RS_CULLMODE] != CULL_NONE ||
        (s.render[RS_COLORWRITEENABLE] & 0xF) != 0xF)
        return false;
    auto it = m_textures.find(s.texture);
    const bool onBackBuffer = s.texture && s.texture == m_onBackBuffer;
    if (s.texture == m_target || it == m_textures.end() || (!it->second.framebuffer && !onBackBuffer)) return false;
    int w, h;
    TargetSize(w, h);
    if (it->second.width != w || it->second.height != h) return false;
    const float xs[4] = {-0.5f, float(w) - 0.5f, -0.5f, float(w) - 0.5f};
    const float ys[4] = {-0.5f, -0.5f, float(h) - 0.5f, float(h) - 0.5f};
    for (int i = 0; i < 4; ++i) {
        const float u = (i & 1) ? 1.0f : 0.0f, vv = (i & 2) ? 1.0f : 0.0f;
        if (v[i].x != xs[i] || v[i].y != ys[i] || v[i].rhw != 1.0f || v[i].u != u || v[i].v != vv) return false;
        if ((v[i].color & 0xFFFFFFu) != 0xFFFFFFu) return false;
    }
    Flush();
    if (onBackBuffer && m_target == 0) {
        // The picture is in place; it covers the colour of the clear held
        // back, and nothing wants the frame target after this copy.
        m_heldFlags &= ~uint32_t(CLEAR_TARGET);
        m_onBackBuffer = 0;
        ++m_framesOnBackBuffer;
        return true;
    }
    if (onBackBuffer) MoveOffBackBuffer();
    BindPendingTarget();
    if (m_target == 0) TouchBackBuffer();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, it->second.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_boundFramebuffer);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_boundFramebuffer);
    m_keyDirty = true;  // the mask was touched; the next batch sets it again
    ++m_copies;
    return true;
}

}  // namespace host
