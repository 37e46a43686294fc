#pragma once

namespace tintora {

// To be called first in main. libimagequant's OpenMP runtime (libgomp, on Linux) reads its
// environment before main runs: OMP_WAIT_POLICY=active or a GOMP_SPINCOUNT keeps its idle
// threads spinning for minutes after a suggestion, and OMP_NUM_THREADS may ask for more
// threads than there are cores. When the environment says so, it is corrected (passive
// waiting, at most one thread a core) and the program started again in its own place, once.
void KeepQuantizerThreadsPassive(char **argv);

}  // namespace tintora
