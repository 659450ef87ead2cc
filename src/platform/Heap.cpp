#include "platform/Heap.h"

#include <malloc.h>

void keepMemoryForReuse()
{
#ifdef __GLIBC__
    // Blocks below 32 MB (a big cached page as text, the copies a sheet makes
    // of it) come from the heap, not from a mapping of their own that each
    // fill would fault in afresh; free memory goes back to the system past
    // 64 MB only.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}
