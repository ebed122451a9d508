#pragma once
// The worker pool behind `--jobs N`: runs a task for each of a number of items on N threads.

#include <cstddef>
#include <functional>

namespace fxhost {

// The number of threads `--jobs` defaults to: the machine's cores (1 when unknown).
int DefaultJobs();

// Calls task(i) once for every i in [0, count), on min(jobs, count) threads; jobs 1 runs them in order
// on the calling thread. The task stores its result by index, so results come out in item order
// whatever the order of completion. When a task throws, no further items are started, and the first
// exception is rethrown once the running tasks have finished.
void RunParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& task);

}  // namespace fxhost
