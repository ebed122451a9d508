#include "fxhost/frames/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace fxhost {

int DefaultJobs() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void RunParallel(std::size_t count, int jobs, const std::function<void(std::size_t)>& task) {
  if (jobs <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) task(i);
    return;
  }
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr first_error;
  std::mutex error_mutex;
  auto work = [&] {
    for (std::size_t i = next++; i < count && !failed; i = next++) {
      try {
        task(i);
      } catch (...) {
        std::lock_guard lock(error_mutex);
        if (!first_error) first_error = std::current_exception();
        failed = true;
      }
    }
  };
  {
    std::vector<std::jthread> threads;
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(jobs), count);
    for (std::size_t t = 0; t < n; ++t) threads.emplace_back(work);
  }
  if (first_error) std::rethrow_exception(first_error);
}

}  // namespace fxhost
