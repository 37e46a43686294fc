#include "openmpthreads.h"

#if defined(__linux__)
#include <sched.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#endif

namespace tintora {

#if defined(__linux__)
namespace {

// Set in the environment of the program started again, so that it starts only once.
constexpr char kRestarted[] = "TINTORA_OPENMP_RESTARTED";

// The processors the program may run on, as libgomp counts them.
unsigned long Cores()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? online : 1;
}

// A whole number of threads no larger than the cores; a list of numbers (for nested
// parallel regions) or anything else libgomp would read its own way is not.
bool FitsTheCores(const char *threads, unsigned long cores)
{
    char *end = nullptr;
    errno = 0;
    const unsigned long count = std::strtoul(threads, &end, 10);
    return errno == 0 && end != threads && *end == '\0' && count >= 1 && count <= cores;
}

}  // namespace

void KeepQuantizerThreadsPassive(char **argv)
{
    if (std::getenv(kRestarted)) {
        unsetenv(kRestarted);
        return;
    }
    const char *policy = std::getenv("OMP_WAIT_POLICY");
    const char *threads = std::getenv("OMP_NUM_THREADS");
    const unsigned long cores = Cores();
    const bool spins = (policy && strcasecmp(policy, "passive") != 0) || std::getenv("GOMP_SPINCOUNT");
    const bool crowds = threads && !FitsTheCores(threads, cores);
    if (!spins && !crowds)
        return;
    setenv("OMP_WAIT_POLICY", "passive", 1);
    // A spin count of its own would outweigh the policy.
    unsetenv("GOMP_SPINCOUNT");
    if (crowds)
        setenv("OMP_NUM_THREADS", std::to_string(cores).c_str(), 1);
    setenv(kRestarted, "1", 1);
    execv("/proc/self/exe", argv);
    // Not started again: the program goes on as the environment had it.
    unsetenv(kRestarted);
}

#else
// Elsewhere libimagequant is built without OpenMP.
void KeepQuantizerThreadsPassive(char **)
{
}
#endif

}  // namespace tintora
