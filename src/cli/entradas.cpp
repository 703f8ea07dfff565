#include "cli/entradas.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <utility>

#include "fieldbook/avisos.h"
#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/fichero_obs.h"

namespace celvara::cli {

namespace {

std::string rechazo(std::string_view mensaje, const std::string& ruta, std::string_view motivo = {}) {
    std::string texto = std::string(mensaje) + ruta;
    if (!motivo.empty()) texto += ": " + std::string(motivo);
    return texto;
}

// Whether every text field [a, b) of a record image holds its terminator.
bool textosTerminados(const unsigned char* registro, std::initializer_list<std::pair<std::size_t, std::size_t>> campos) {
    return std::ranges::all_of(
        campos, [registro](const auto& c) { return std::memchr(registro + c.first, 0, c.second - c.first) != nullptr; });
}

}  // namespace

std::string leerLibretaEntrada(CLibretaCampo& libreta, const std::string& ruta, std::string_view mensaje) {
    bool cortada = false;
    if (!leerLibreta(libreta, ruta, &cortada)) return rechazo(mensaje, ruta);
    // A script would go on with the stations that happen to be whole.
    if (cortada) return rechazo(mensaje, ruta, "está incompleto");
    return {};
}

std::string leerAjustesEntrada(CDatosGenerales& ajustes, const std::string& ruta, std::string_view mensaje) {
    if (cargarAjustes(ajustes, ruta) != Estado::Exito) return rechazo(mensaje, ruta);
    // The program keeps its defaults over a file of another version; a file
    // named on the command line is meant to be read, so it must be one.
    LectorFichero f(ruta);
    std::array<unsigned char, 8> cabecera{};
    if (!f.leerExacto(cabecera.data(), cabecera.size()) ||
        bytes::leerU32(cabecera.data() + 4) != CDatosGenerales::kVersionFichero)
        return rechazo(mensaje, ruta, "no es un fichero de ajustes de la versión 6");
    return {};
}

std::string leerInstrumentosEntrada(ListaInstrumentos& lista, const std::string& ruta, std::string_view mensaje) {
    AvisosSilenciosos silencio;
    std::size_t sobrantes = 0;
    if (cargarInstrumentos(lista, ruta, silencio, &sobrantes) != Estado::Exito) return rechazo(mensaje, ruta);
    // The program drops a cut last record and reads any bytes as records;
    // a computation must not take its errors from a damaged or foreign file.
    namespace off = imagen::instrumento;
    if (sobrantes > 0)
        return rechazo(mensaje, ruta,
                       "está incompleto (" + std::to_string(sobrantes) + " bytes tras el último registro de 392)");
    if (lista.empty()) return rechazo(mensaje, ruta, "no tiene ningún instrumento");
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (!lista[i].imagenLeida ||
            !textosTerminados(lista[i].imagenLeida->data(),
                              {{off::nombre, off::marca}, {off::marca, off::aumentos}, {off::ficheroFoto, off::enlaces}}))
            return rechazo(mensaje, ruta, "el registro " + std::to_string(i + 1) + " no es de una librería de instrumentos");
    return {};
}

std::string leerDatosTrabajoEntrada(DatosTrabajo& datos, const std::string& ruta, std::string_view mensaje) {
    namespace off = imagen::datosTrabajo;
    std::error_code ec;
    const auto tamano = std::filesystem::file_size(ruta, ec);
    LectorFichero f(ruta);
    std::array<unsigned char, off::tamano> b{};
    if (ec || !f.abierto()) return rechazo(mensaje, ruta);
    // The program reads the first 1513 bytes of anything; the job data is
    // that one record, every field a terminated text.
    if (tamano != off::tamano || !f.leerExacto(b.data(), b.size()) ||
        !textosTerminados(b.data(), {{off::empresa, off::direccion},
                                     {off::direccion, off::provinciaEmpresa},
                                     {off::provinciaEmpresa, off::telefonos},
                                     {off::telefonos, off::titulo},
                                     {off::titulo, off::zona},
                                     {off::zona, off::terminoMunicipal},
                                     {off::terminoMunicipal, off::provinciaTrabajo},
                                     {off::provinciaTrabajo, off::cliente},
                                     {off::cliente, off::observaciones},
                                     {off::observaciones, off::codigo},
                                     {off::codigo, off::fechaInicio},
                                     {off::fechaInicio, off::fechaFin},
                                     {off::fechaFin, off::tamano}}))
        return rechazo(mensaje, ruta, "no es un registro de datos del trabajo de 1513 bytes");
    leerImagenDatosTrabajo(b.data(), datos);
    return {};
}

bool legible(const std::string& ruta) { return LectorFichero(ruta).abierto(); }

}  // namespace celvara::cli
