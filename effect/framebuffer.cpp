#include "effect/framebuffer.h"

namespace {

Framebuffer theFramebuffer;

}  // namespace

Framebuffer& framebuffer() { return theFramebuffer; }
