#pragma once

// Lets the allocator keep the memory of pages and sheets for reuse: an
// update and a sheet make and drop texts of a few hundred KB for every
// page, and memory handed back to the system each time is mapped anew on
// the next page, one page fault per 4 KB. Call once, first thing in main().
void keepMemoryForReuse();
