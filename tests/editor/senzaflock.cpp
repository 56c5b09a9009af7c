// Preloaded into a test (LD_PRELOAD), makes every lock request fail as it
// does on a network share mounted without locks.
#include <cerrno>

extern "C" int flock(int, int)
{
    errno = ENOLCK;
    return -1;
}
