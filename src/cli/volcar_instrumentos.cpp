// Dumpers of the instrument library (.apa) and of the job data (.prt).
#include <charconv>
#include <cmath>

#include "cli/entradas.h"
#include "cli/registro.h"
#include "datos/datos_trabajo.h"
#include "datos/instrumentos.h"

namespace celvara::cli {
namespace {

using Json = nlohmann::ordered_json;

// A single-precision value printed with the digits it was typed with (1.5,
// 0.1), not with those of its double widening (0.10000000149011612).
Json real(float v) {
    if (!std::isfinite(v)) return nullptr;
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, v);
    double d = 0;
    std::from_chars(texto, r.ptr, d);
    return d;
}

const RegistroVolcado volcadoApa("apa", "apa", [](const std::filesystem::path& ruta, Json& salida, std::string& mensaje) {
    ListaInstrumentos lista;
    mensaje = leerInstrumentosEntrada(lista, ruta.string(), "La Base de Datos de Instrumentos no Existe o esta Dañada: ");
    if (!mensaje.empty()) return false;
    Json instrumentos = Json::array();
    for (const auto& i : lista)
        instrumentos.push_back(Json{{"numero", i.numero},
                                    {"nombre", utf8(i.nombre.vista())},
                                    {"marca", utf8(i.marca.vista())},
                                    {"aumentos", i.aumentos},
                                    {"errorHorizontalCc", real(i.errorH)},
                                    {"errorVerticalCc", real(i.errorV)},
                                    {"alcanceUnPrismaM", i.alcance1Prisma},
                                    {"alcanceTresPrismasM", i.alcance3Prismas},
                                    {"precisionDistanciaMm", real(i.precisionDistanciaMm)},
                                    {"precisionDistanciaPpm", real(i.precisionDistanciaPpm)},
                                    {"excentricidadM", real(i.excentricidad)},
                                    {"lecturaAngularCc", real(i.lecturaAngular)},
                                    {"precisionAngularHorizontalCc", real(i.precisionH)},
                                    {"precisionAngularVerticalCc", real(i.precisionV)},
                                    {"sensibilidadNivelEsfericoMinutos", i.nivelEsferico},
                                    {"sensibilidadNivelToricoCc", i.nivelTorico},
                                    {"ejesCompensador", i.ejesCompensador},
                                    {"ficheroFoto", utf8(i.ficheroFoto.vista())}});
    salida["instrumentos"] = std::move(instrumentos);
    return true;
});

const RegistroVolcado volcadoPrt("prt", "prt", [](const std::filesystem::path& ruta, Json& salida, std::string& mensaje) {
    DatosTrabajo d;
    mensaje = leerDatosTrabajoEntrada(d, ruta.string(), kMensajeDatosTrabajo);
    if (!mensaje.empty()) return false;
    salida = Json{{"empresa", utf8(d.empresa.vista())},
                  {"direccion", utf8(d.direccion.vista())},
                  {"provinciaEmpresa", utf8(d.provinciaEmpresa.vista())},
                  {"telefonosFax", utf8(d.telefonos.vista())},
                  {"titulo", utf8(d.titulo.vista())},
                  {"zona", utf8(d.zona.vista())},
                  {"terminoMunicipal", utf8(d.terminoMunicipal.vista())},
                  {"provinciaTrabajo", utf8(d.provinciaTrabajo.vista())},
                  {"cliente", utf8(d.cliente.vista())},
                  {"observaciones", utf8(d.observaciones.vista())},
                  {"codigo", utf8(d.codigo.vista())},
                  {"fechaInicio", utf8(d.fechaInicio.vista())},
                  {"fechaFin", utf8(d.fechaFin.vista())}};
    return true;
});

}  // namespace
}  // namespace celvara::cli
