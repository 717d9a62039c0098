#pragma once

#include <cstdint>

#include "effect/random_source.h"

struct Particle {
    float x;   // column, 0 at the left edge
    float y;   // row, 0 at the top edge
    float vx;  // pixels per frame
    float vy;  // pixels per frame; negative moves up
};

// The live particles, newest at the front: a doubly linked list whose elements are
// allocated one at a time, so that adding at the front or removing during a walk leaves
// every other element, and the walk's position, where it is.
//
// It has no destructor: a store that is a global is then set up at compile time and needs
// no code of ours at load or unload. Its owner releases the elements with clear().
class ParticleStore {
public:
    struct Element;
    using Position = Element*;

    constexpr ParticleStore() = default;
    ParticleStore(const ParticleStore&) = delete;
    ParticleStore& operator=(const ParticleStore&) = delete;

    // False, with the store unchanged, when no memory could be had for the element.
    bool addFront(const Particle& particle);
    uint32_t count() const { return count_; }
    // Steps index times from the front; the caller keeps index < count().
    Particle& at(uint32_t index);

    Position front() { return front_; }
    static Position end() { return nullptr; }
    static Position next(Position position);
    static Particle& particle(Position position);
    // Unlinks and releases the element, and yields the one after it (or end()).
    Position removeAt(Position position);
    // Releases every element.
    void clear();

private:
    Element* front_ = nullptr;
    uint32_t count_ = 0;
};
