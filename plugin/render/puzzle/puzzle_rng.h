// The shuffle's random generator: a 32-bit linear congruential generator, so that one seed
// always replays the same walk of the gap.
#ifndef ZELKRA_RENDER_PUZZLE_PUZZLE_RNG_H
#define ZELKRA_RENDER_PUZZLE_PUZZLE_RNG_H

#include <stdint.h>

struct PuzzleRng {
  uint32_t state;
};

// Inline: the longest walk draws a few hundred thousand times a frame.

// The state takes the seed's 32 bits as they are: -5 starts from 4294967291.
inline PuzzleRng MakePuzzleRng(int32_t seed) {
  return PuzzleRng{static_cast<uint32_t>(seed)};
}

// Advances the state (state * 1103515245 + 12345, modulo 2^32) and returns it with the top bit
// cleared: 0 ... 2147483647.
inline int32_t next_int(PuzzleRng& rng) {
  rng.state = rng.state * 1103515245u + 12345u;  // unsigned: wraps modulo 2^32
  return static_cast<int32_t>(rng.state & 0x7FFFFFFFu);
}

// The next next_int value scaled by 2^-31: a double in [0, 1).
inline double next_unit(PuzzleRng& rng) {
  return static_cast<double>(next_int(rng)) * 4.656612873077393e-10;
}

#endif
