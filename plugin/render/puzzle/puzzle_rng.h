// The shuffle's random generator: a 32-bit linear congruential generator, so that one seed
// always replays the same walk of the gap.
#ifndef ZELKRA_RENDER_PUZZLE_PUZZLE_RNG_H
#define ZELKRA_RENDER_PUZZLE_PUZZLE_RNG_H

#include <stdint.h>

struct PuzzleRng {
  uint32_t state;
};

// The state takes the seed's 32 bits as they are: -5 starts from 4294967291.
PuzzleRng MakePuzzleRng(int32_t seed);

// Advances the state (state * 1103515245 + 12345, modulo 2^32) and returns it with the top bit
// cleared: 0 ... 2147483647.
int32_t next_int(PuzzleRng& rng);

// The next next_int value scaled by 2^-31: a double in [0, 1).
double next_unit(PuzzleRng& rng);

#endif
