#pragma once
// For tests of inputs that once made drawing hang.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

// Runs `work` and returns its result; ends the whole run with a message
// naming `what` when it does not finish in time, so that a hang fails its row
// instead of stalling the suite.
template <class Work>
auto FinishesWithin(std::chrono::seconds limit, const std::string& what, Work work) {
  auto result = std::async(std::launch::async, work);
  if (result.wait_for(limit) == std::future_status::timeout) {
    std::fprintf(stderr, "\n%s: did not finish within %lld s\n", what.c_str(), static_cast<long long>(limit.count()));
    std::_Exit(1);
  }
  return result.get();
}
