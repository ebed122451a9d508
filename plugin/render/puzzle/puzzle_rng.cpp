#include "render/puzzle/puzzle_rng.h"

PuzzleRng MakePuzzleRng(int32_t seed) {
  return PuzzleRng{static_cast<uint32_t>(seed)};
}

int32_t next_int(PuzzleRng& rng) {
  rng.state = rng.state * 1103515245u + 12345u;  // unsigned: wraps modulo 2^32
  return static_cast<int32_t>(rng.state & 0x7FFFFFFFu);
}

double next_unit(PuzzleRng& rng) {
  return static_cast<double>(next_int(rng)) * 4.656612873077393e-10;
}
