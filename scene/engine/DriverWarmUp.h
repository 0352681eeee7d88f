#pragma once
// Loading Mesa's OpenGL driver is the largest single step before the first frame: the driver and
// the LLVM it compiles shaders with are tens of megabytes of relocations, about 50 ms on the main
// thread when the first context is made. warmUpGlDriver() loads that driver on a thread of its own,
// so the loader's work overlaps whatever the caller does next; when the context is made, the
// driver is already in memory and its loading costs nothing.
//
// Call it once, after the steps that load libraries of their own (sound, name lookups): the
// loader takes one lock for a whole load, and a load on the main thread would wait for this one.
// Nothing is loaded where another vendor's driver is in use (NVIDIA's kernel module is loaded, or
// glvnd is told to use a vendor other than Mesa), or where Mesa's driver cannot be found. The
// driver stays loaded until the program ends. Any thread; returns at once.

namespace vtx {

void warmUpGlDriver();

} // namespace vtx
