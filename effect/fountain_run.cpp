#include "effect/fountain_run.h"
#include "effect/fountain.h"

namespace {

ParticleStore store;
bool seeded = false;

}  // namespace

ParticleStore& freshRunStore() {
    store.clear();
    seeded = true;
    return store;
}

ParticleStore& runStore() { return store; }

void releaseFountain() {
    store.clear();
    seeded = false;
    releaseRandomSource();
}

ParticleStore* fountainStore() { return seeded ? &store : nullptr; }
