// libFuzzer target: the INI store reads any bytes, and what it writes reads back to itself.

#include "files/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vtx::IniFile ini = vtx::IniFile::parse(text);
    (void)ini.readInteger("Options", "Difficulty", 0);
    (void)ini.readBool("options", "ENABLESOUND", false);
    (void)ini.readString("Options", "PlayerName", "");

    // Our own output is stable: written once, read and written again, it stays the same.
    const std::string once = ini.serialize();
    if (vtx::IniFile::parse(once).serialize() != once) std::abort();

    // A key we write is the key we read, whatever else the file held.
    ini.writeInteger("Options", "Song", 7);
    if (ini.readInteger("OPTIONS", "song", -1) != 7) std::abort();
    return 0;
}
