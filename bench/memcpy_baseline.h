// The baseline every frame of fxbench is measured against: one memcpy of the output frame's bytes.
#pragma once

#include <cstddef>

// The calling thread's CPU time so far, in seconds.
double ThreadCpuSeconds();

// The CPU seconds of one memcpy of `bytes` bytes between two buffers already touched, the median
// of a series of copies; measured in the calling process, so ratios to it hold on a shared machine.
double MemcpySeconds(std::size_t bytes);
