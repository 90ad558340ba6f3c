// The process-wide pseudo-random generator that picks shuffled rows: one 32-bit state, seeded at
// library start-up with the millisecond tick count, stepped as state * 214013 + 2531011.
#pragma once

// Start-up step: seeds the generator with GetTickCount().
void KInitRandom();
// Sets the state; the same seed gives the same sequence of draws.
void KSeedRandom(unsigned int seed);
// Steps the state and returns its bits 16..30: a value 0 ... 32767.
int KRandom();
