#pragma once

#include <cstdint>

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;
constexpr uint32_t kWhite = 0x00FFFFFF;

// The picture the effect draws and the display presents: rows top to bottom, each pixel
// 0x00RRGGBB, a row stride of 2,560 bytes.
struct Framebuffer {
    alignas(64) uint32_t pixels[kFrameWidth * kFrameHeight];
};

// The one instance, for the life of the library.
Framebuffer& framebuffer();
