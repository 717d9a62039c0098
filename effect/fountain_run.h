// The particles of the current run, shared by the frame step (fountain.cpp) and the release
// (fountain_run.cpp). Apart because a stop releases them on a path that a start failed at its
// processor test can still take, and that path is built without SSE; the frame step is not.
#pragma once

#include "effect/particle_store.h"

// The store, emptied and marked as a run's: what seedFountain fills.
ParticleStore& freshRunStore();
// The store as the last seedFountain left it.
ParticleStore& runStore();
