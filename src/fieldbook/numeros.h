// Numbers typed by the user: commas are decimal points, unreadable text is 0.
#pragma once

#include <string>
#include <string_view>

// The C99 printf of MinGW's own stdio (%zu, %lld), not the system's.
#ifdef __MINGW32__
#define CELVARA_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define CELVARA_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif

namespace celvara {

// Leading blanks are skipped and the longest numeric prefix is taken, as the
// C library's atof does.
double textoANumero(std::string_view texto);
int textoAEntero(std::string_view texto);

// v with `decimales` digits after the point, the same characters as printf's
// "%.*f" and to_chars fixed (exact round half to even), into [p, fin); returns
// the end, or nullptr when it does not fit. Exact integer arithmetic for the
// usual magnitudes, to_chars for the rest.
char* escribirFijo(char* p, char* fin, double v, int decimales);

// printf-style formatting into a std::string.
std::string formatear(const char* formato, ...) CELVARA_PRINTF(1, 2);

// A value that rounds to zero prints without a sign ("-0.000" reads as a
// misclosure to a surveyor): the sign becomes a blank inside a column, and
// goes at the start of a text or after "=" or "= ".
std::string sinMenosCero(std::string texto);

}  // namespace celvara
