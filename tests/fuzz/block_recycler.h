// Reuse of large heap blocks from one fuzz execution in the next.
//
// The analysis allocates a few blocks of hundreds of KiB on every run (the model, one history
// table per player). The address sanitizer maps every block of more than 128 KiB freshly from
// the system and unmaps it when freed, so each run pays a page fault for every page of them,
// which costs far more than the analysis of a small input itself. Linking block_recycler.cpp
// replaces operator new and delete: a freed large block is kept, poisoned, and handed out again
// for a request of the same size, but only from the next execution on (after
// RecycleFreedBlocks()), so that within one execution every use after free is still reported.
#pragma once

namespace vek5::fuzz {

// Makes the large blocks freed so far available again. Call at the start of each execution.
void RecycleFreedBlocks();

}  // namespace vek5::fuzz
