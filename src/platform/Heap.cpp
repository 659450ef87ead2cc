#include "platform/Heap.h"

#include <malloc.h>

void keepMemoryForReuse()
{
#ifdef __GLIBC__
    // Blocks below 1 MB come from the heap, not from a mapping of their own,
    // and free memory goes back to the system past 4 MB only.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    mallopt(M_TRIM_THRESHOLD, 4 << 20);
#endif
}
