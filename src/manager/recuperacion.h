// Autosave and recovery of the open book. While the book is modified it is
// written, every few minutes and before a window that may write results into
// it opens, to a recovery file beside it (LIBRETA.obs.recuperacion, the same
// format as the book; a book never saved writes sin_titulo.obs.recuperacion
// in the working folder). A normal save, or leaving the book without
// changes, removes that file. A recovery file newer than its book is offered
// when the book opens; one the user declines is kept aside under its date,
// never deleted.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fieldbook/ajustes_propios.h"
#include "fieldbook/libreta.h"

namespace celvara {

inline constexpr const char* kSufijoRecuperacion = ".recuperacion";
inline constexpr const char* kLibretaSinTitulo = "sin_titulo.obs";
inline constexpr int kMinutosRecuperacion = 5;

class CRecuperacion {
public:
    // ---- Names (host paths).
    // LIBRETA.obs -> LIBRETA.obs.recuperacion.
    static std::filesystem::path rutaDe(const std::filesystem::path& libreta);
    // A book never saved: sin_titulo.obs.recuperacion in the working folder.
    static std::filesystem::path rutaSinTitulo(const std::filesystem::path& carpetaTrabajo);
    // A declined copy: its name followed by ".AAAAMMDD-HHMM" of `fecha`.
    static std::filesystem::path rutaApartada(const std::filesystem::path& recuperacion, const std::tm& fecha);
    // "Hay una copia de recuperación de LIBRETA.obs del dd-mm-yyyy hh:mm. ¿Recuperarla?"
    static std::string pregunta(std::string_view nombreLibreta, const std::tm& fecha);

    // ---- The offer.
    // The local modification time of a recovery file to offer: it exists and
    // is newer than its book (any copy when the book is missing or was never
    // saved, `libreta` empty). Nothing to offer otherwise.
    static std::optional<std::tm> aOfrecer(const std::filesystem::path& recuperacion,
                                           const std::filesystem::path& libreta);
    // "No": the copy renamed aside with its date, beside it, never over
    // another file. The new path, or nothing when it cannot be renamed.
    static std::optional<std::filesystem::path> apartar(const std::filesystem::path& recuperacion,
                                                        const std::tm& fecha);

    // ---- Autosave.
    // [Recuperacion] minutos= of celvara.ini: 5 when missing or unreadable,
    // 0 (or less) turns autosave off.
    void leerAjustes(const AjustesPropios& ini);
    int minutos() const { return minutos_; }
    void fijarMinutos(int minutos) { minutos_ = minutos < 0 ? 0 : minutos; }
    bool activa() const { return minutos_ > 0; }

    // Whether the book must be written now: autosave on, the book modified,
    // and changed (`cambios` counts the changes) since the copy last written.
    bool toca(bool modificado, std::uint64_t cambios) const;
    // Writes the copy atomically (temporary file beside it, flushed to disk,
    // renamed). A copy this session wrote under another name goes.
    bool grabar(const CLibretaCampo& libreta, const std::filesystem::path& destino, std::uint64_t cambios);
    // A recovered copy opened as the book: it is this session's own now.
    void adoptar(const std::filesystem::path& recuperacion, std::uint64_t cambios);
    // The book was saved, or its changes given up: the copy this session
    // wrote or took goes, and so does `tambien` (the copy of the book as it
    // is named now, superseded).
    void retirar(const std::filesystem::path& tambien = {});
    // The book left the window with its copy still needed (it could not be
    // saved): the copy stays on disk, no longer this session's.
    void olvidar() { propia_.reset(); }
    // The copy this session wrote or took, if any.
    const std::optional<std::filesystem::path>& propia() const { return propia_; }

private:
    int minutos_ = kMinutosRecuperacion;
    std::optional<std::filesystem::path> propia_;
    std::uint64_t cambiosEscritos_ = 0;
};

}  // namespace celvara
