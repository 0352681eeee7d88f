#pragma once

// Program entry: the application object, the five windows in their order, the
// event loop. main() only calls runProgram.

namespace vtx {

int runProgram(int argc, char** argv);

} // namespace vtx
