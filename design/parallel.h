// Work spread over the machine's cores.
#pragma once

#include <functional>

namespace tintora {

// Runs work(0) to work(count - 1), as many at once as there are cores, and returns when all
// have run. The caller takes its share, so that it never waits on a pool busy with others'
// work (the suggestion chooser's task, other suggestions): it only waits for items already
// running. Each item must touch only what is its own.
void ForEachInParallel(int count, const std::function<void(int)> &work);

}  // namespace tintora
