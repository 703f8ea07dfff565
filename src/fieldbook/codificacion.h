// Windows-1252 <-> UTF-8. Records keep Windows-1252 bytes; only the UI and the
// CLI convert, with these two functions.
#pragma once

#include <string>
#include <string_view>

namespace celvara {

// Every byte maps to one code point; the five bytes Windows-1252 leaves
// undefined map to the C1 control of the same value, as Windows does.
std::string cp1252AUtf8(std::string_view texto);

// Characters with no Windows-1252 byte become '?'; malformed UTF-8 sequences
// are taken byte by byte as Windows-1252 (so an old file's bytes survive).
std::string utf8ACp1252(std::string_view texto);

}  // namespace celvara
