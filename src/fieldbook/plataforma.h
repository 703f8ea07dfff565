// What the core needs of the operating system, in one place: opening files
// by their native (wide on Windows) name, replacing a file atomically,
// forcing written data to the disk and the local time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <locale.h>
#endif

namespace celvara::plataforma {

// std::fopen with the path in the system's own form (_wfopen on Windows,
// so names outside the ANSI code page open too), always in binary mode.
std::FILE* abrir(const std::filesystem::path& ruta, const char* modo);

// Puts `origen` in place of `destino` in one step, replacing it when it
// exists (rename(2); MoveFileExW with write-through on Windows).
bool reemplazar(const std::filesystem::path& origen, const std::filesystem::path& destino);

// Asks the system to put what was written to `f` on the disk (fsync;
// FlushFileBuffers on Windows). The stream must have been flushed.
bool volcarADisco(std::FILE* f);

// Starts writing bytes [desde, desde + cuantos) of `f` to the disk without
// waiting (sync_file_range on Linux; nothing elsewhere), so the final
// volcarADisco of a big file finds little left to do. The stream must have
// been flushed.
void adelantarVolcado(std::FILE* f, std::uint64_t desde, std::uint64_t cuantos);

// Puts a folder's entries (a rename just made in it) on the disk; Windows
// renames with write-through, so there it has nothing left to do.
bool sincronizarCarpeta(const std::filesystem::path& carpeta);

std::tm horaLocal(std::time_t t);

// Standard output and error print "\n" as is (Windows would write CR LF):
// what the batch tool prints is the same on every system.
void salidaEstandarBinaria();

// The C locale for this thread while it lives, restoring the previous one.
class LocaleC {
public:
    LocaleC();
    ~LocaleC();
    LocaleC(const LocaleC&) = delete;
    LocaleC& operator=(const LocaleC&) = delete;

private:
#ifdef _WIN32
    int modoAnterior_ = 0;
    std::string anterior_;
#else
    locale_t c_;
    locale_t anterior_ = static_cast<locale_t>(0);
#endif
};

}  // namespace celvara::plataforma
