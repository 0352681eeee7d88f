#pragma once
// A software OpenGL driver allocates and frees large vertex and binning buffers every frame. With
// glibc's defaults each of them is mapped from the kernel and handed back again (page faults and
// zeroed pages every frame, about a tenth of a frame's CPU time here). Call once at start-up,
// before the first context is made: allocations up to 8 MiB then come from the heap, and freed heap
// memory is kept for the next frame unless more than 32 MiB of it lie unused at the top.

namespace vtx {

void keepFrameAllocations();
// Hands the heap's free pages back to the kernel (the next frame's buffers come back as it needs
// them): for after a one-off release, such as decoded pictures let go once uploaded, which the
// threshold above would otherwise keep resident.
void releaseFreedMemory();

} // namespace vtx
