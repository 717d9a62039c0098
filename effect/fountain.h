#pragma once

#include "effect/framebuffer.h"
#include "effect/particle_store.h"
#include "plugin/vis_records.h"

constexpr int kFramePeriodMs = 25;
constexpr uint32_t kPopulationFloor = 25;
constexpr int kBurstSize = 20;
constexpr int kBurstThreshold = 1000;
constexpr int kSummedSpectrumBytes = 288;

// Starts a run: a fresh store of 25 particles, the frame clock disarmed and the previous
// spectrum sum forgotten, so that a restart is paced like the first start.
void seedFountain();

// Ends a run: releases its particles and what the random source holds. Nothing reads the
// store again before the next seedFountain(), and the frame clock, the previous sum and the
// random sequence stay as they are.
void releaseFountain();

// One render call's share of the effect. Answers true when a finished frame stands in
// framebuffer(), false when no frame was due.
bool stepFountain(const VisModule* module);

// The current run's particles, for inspection; null before the first seedFountain().
ParticleStore* fountainStore();
