#include "fieldbook/plataforma.h"

#include <clocale>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace celvara::plataforma {

#ifdef _WIN32

// Always binary: the files carry the line ends their formats give, the
// same bytes on every system.
std::FILE* abrir(const std::filesystem::path& ruta, const char* modo) {
    std::wstring m(modo, modo + std::char_traits<char>::length(modo));
    if (m.find(L'b') == std::wstring::npos) m += L'b';
    return _wfopen(ruta.c_str(), m.c_str());
}

void salidaEstandarBinaria() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool reemplazar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    return MoveFileExW(origen.c_str(), destino.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool sincronizarCarpeta(const std::filesystem::path&) { return true; }

bool volcarADisco(std::FILE* f) {
    const intptr_t h = _get_osfhandle(_fileno(f));
    return h != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(h)) != 0;
}

void adelantarVolcado(std::FILE*, std::uint64_t, std::uint64_t) {}

std::tm horaLocal(std::time_t t) {
    std::tm r{};
    localtime_s(&r, &t);
    return r;
}

LocaleC::LocaleC() : modoAnterior_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    if (const char* actual = std::setlocale(LC_ALL, nullptr)) anterior_ = actual;
    std::setlocale(LC_ALL, "C");
}

LocaleC::~LocaleC() {
    if (!anterior_.empty()) std::setlocale(LC_ALL, anterior_.c_str());
    _configthreadlocale(modoAnterior_);
}

#else

std::FILE* abrir(const std::filesystem::path& ruta, const char* modo) { return std::fopen(ruta.c_str(), modo); }

bool reemplazar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    std::error_code ec;
    std::filesystem::rename(origen, destino, ec);
    return !ec;
}

bool volcarADisco(std::FILE* f) { return fsync(fileno(f)) == 0; }

void adelantarVolcado(std::FILE* f, std::uint64_t desde, std::uint64_t cuantos) {
#if defined(__linux__)
    // Only a hint: a file system that refuses it is synced whole at the end.
    (void)::sync_file_range(fileno(f), static_cast<off64_t>(desde), static_cast<off64_t>(cuantos), SYNC_FILE_RANGE_WRITE);
#else
    (void)f, (void)desde, (void)cuantos;
#endif
}

bool sincronizarCarpeta(const std::filesystem::path& carpeta) {
    const int fd = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void salidaEstandarBinaria() {}

std::tm horaLocal(std::time_t t) {
    std::tm r{};
    localtime_r(&t, &r);
    return r;
}

LocaleC::LocaleC() : c_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0))) {
    if (c_) anterior_ = uselocale(c_);
}

LocaleC::~LocaleC() {
    if (c_) {
        uselocale(anterior_);
        freelocale(c_);
    }
}

#endif

}  // namespace celvara::plataforma
