#pragma once
// Waiting in a test for work that Qt finishes later (folder listings loaded in a thread,
// layouts done on the next pass of the event loop).

#include <functional>

namespace sw::testing {

// Runs the event loop until `condition` holds or `timeoutMs` has passed; returns whether it holds.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

}  // namespace sw::testing
