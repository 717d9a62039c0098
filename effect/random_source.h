#pragma once

// The effect's only source of randomness: a linear congruential generator whose state
// belongs to the calling thread, starts at 1 and is never reseeded. Returns 0 to 32767.
int nextRandom();

// Gives back what the source holds of the process (its TLS slot) at the end of a run. The
// calling thread's sequence goes on at its next draw as if nothing had happened; another
// thread that had drawn starts again at 1, and so does a new thread that got the calling
// thread's id after it ended. Called at the stop, on the host's calling thread, while no
// other thread draws.
void releaseRandomSource();
