// Numbers typed by the user: commas are decimal points, unreadable text is 0.
#pragma once

#include <string>
#include <string_view>

namespace celvara {

// Leading blanks are skipped and the longest numeric prefix is taken, as the
// C library's atof does.
double textoANumero(std::string_view texto);
int textoAEntero(std::string_view texto);

// printf-style formatting into a std::string.
std::string formatear(const char* formato, ...) __attribute__((format(printf, 1, 2)));

}  // namespace celvara
