#include "manager/recuperacion.h"

#include <chrono>
#include <system_error>

#include "fieldbook/fichero_obs.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {

namespace {

std::filesystem::path conSufijo(const std::filesystem::path& p, std::string_view sufijo) {
    std::filesystem::path r = p;
    r += std::string(sufijo);
    return r;
}

void borrar(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::remove(p, ec);
}

}  // namespace

std::filesystem::path CRecuperacion::rutaDe(const std::filesystem::path& libreta) {
    return conSufijo(libreta, kSufijoRecuperacion);
}

std::filesystem::path CRecuperacion::rutaSinTitulo(const std::filesystem::path& carpetaTrabajo) {
    return rutaDe(carpetaTrabajo / kLibretaSinTitulo);
}

std::filesystem::path CRecuperacion::rutaApartada(const std::filesystem::path& recuperacion, const std::tm& f) {
    return conSufijo(recuperacion, formatear(".%04d%02d%02d-%02d%02d", f.tm_year + 1900, f.tm_mon + 1, f.tm_mday,
                                             f.tm_hour, f.tm_min));
}

std::string CRecuperacion::pregunta(std::string_view nombreLibreta, const std::tm& f) {
    return "Hay una copia de recuperación de " + std::string(nombreLibreta) +
           formatear(" del %02d-%02d-%04d %02d:%02d. ", f.tm_mday, f.tm_mon + 1, f.tm_year + 1900, f.tm_hour,
                     f.tm_min) +
           "¿Recuperarla?";
}

std::optional<std::tm> CRecuperacion::aOfrecer(const std::filesystem::path& recuperacion,
                                               const std::filesystem::path& libreta) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(recuperacion, ec)) return std::nullopt;
    const auto copia = std::filesystem::last_write_time(recuperacion, ec);
    if (ec) return std::nullopt;
    if (!libreta.empty()) {
        std::error_code ecLibreta;
        const auto original = std::filesystem::last_write_time(libreta, ecLibreta);
        // A book saved after the copy holds everything the copy had.
        if (!ecLibreta && copia <= original) return std::nullopt;
    }
    const auto sistema = std::chrono::file_clock::to_sys(copia);
    return plataforma::horaLocal(std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sistema)));
}

std::optional<std::filesystem::path> CRecuperacion::apartar(const std::filesystem::path& recuperacion,
                                                            const std::tm& fecha) {
    const std::filesystem::path base = rutaApartada(recuperacion, fecha);
    std::filesystem::path destino = base;
    std::error_code ec;
    // Two copies declined within one minute: the second takes a number.
    for (int n = 2; std::filesystem::exists(destino, ec) || ec; ++n) {
        if (n > 99) return std::nullopt;
        destino = conSufijo(base, "-" + std::to_string(n));
    }
    std::filesystem::rename(recuperacion, destino, ec);
    if (ec) return std::nullopt;
    return destino;
}

void CRecuperacion::leerAjustes(const AjustesPropios& ini) {
    const double m = ini.numero("Recuperacion", "minutos", kMinutosRecuperacion);
    fijarMinutos(m > 24 * 60 ? 24 * 60 : static_cast<int>(m));
}

bool CRecuperacion::toca(bool modificado, std::uint64_t cambios) const {
    return activa() && modificado && (!propia_ || cambios != cambiosEscritos_);
}

bool CRecuperacion::grabar(const CLibretaCampo& libreta, const std::filesystem::path& destino,
                           std::uint64_t cambios) {
    if (!escribirLibreta(libreta, destino)) return false;
    if (propia_ && *propia_ != destino) borrar(*propia_);
    propia_ = destino;
    cambiosEscritos_ = cambios;
    return true;
}

void CRecuperacion::adoptar(const std::filesystem::path& recuperacion, std::uint64_t cambios) {
    propia_ = recuperacion;
    cambiosEscritos_ = cambios;
}

void CRecuperacion::retirar(const std::filesystem::path& tambien) {
    if (propia_) borrar(*propia_);
    propia_.reset();
    if (!tambien.empty()) borrar(tambien);
}

}  // namespace celvara
