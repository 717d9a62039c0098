#pragma once

// The effect's only source of randomness: a linear congruential generator whose state
// belongs to the calling thread, starts at 1 and is never reseeded. Returns 0 to 32767.
int nextRandom();
