// Splits independent rows of work over the machine's cores. Each row is
// computed by exactly one thread with the same arithmetic as a serial loop,
// so results do not depend on the number of threads.
#pragma once

#include <algorithm>
#include <thread>
#include <vector>

namespace scene {

// Calls body(first, last) on contiguous, disjoint ranges covering
// [begin, end); the first range runs on the calling thread.
template <typename Body>
void ParallelRows(int begin, int end, Body body) {
  const int count = end - begin;
  if (count <= 0) return;
  const int threads =
      std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, std::min(8, count));
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  for (int t = 1; t < threads; ++t) {
    const int first = begin + count * t / threads;
    const int last = begin + count * (t + 1) / threads;
    workers.emplace_back([=, &body] { body(first, last); });
  }
  body(begin, begin + count / threads);
  for (std::thread& worker : workers) worker.join();
}

}  // namespace scene
