// Dumpers of the observation file and the settings file.
#include "cli/entradas.h"
#include "cli/registro.h"
#include "fieldbook/datos_generales.h"
#include "fieldbook/fichero_obs.h"

namespace celvara::cli {
namespace {

using Json = nlohmann::ordered_json;

Json datosJson(const DatosComplementarios& d) {
    return Json{{"instrumento", utf8(d.instrumento.vista())},
                {"operador", utf8(d.operador.vista())},
                {"dia", utf8(d.dia.vista())},
                {"hora", utf8(d.hora.vista())},
                {"temperatura", d.temperatura},
                {"presion", d.presion},
                {"ppm", d.ppm},
                {"tipoDistancia", d.tipoDistancia},
                {"tipoVertical", d.tipoVertical},
                {"unidadAngular", d.unidadAngular},
                {"unidadDistancia", d.unidadDistancia},
                {"corregidoEsfRefr", d.corregidoEsfRefr},
                {"corregidoTempPres", d.corregidoTempPres},
                {"comentarios", utf8(d.comentarios.vista())}};
}

const RegistroVolcado volcadoObs("obs", "obs", [](const std::filesystem::path& ruta, Json& salida, std::string& mensaje) {
    CLibretaCampo libreta;
    mensaje = leerLibretaEntrada(libreta, ruta.string());
    if (!mensaje.empty()) return false;
    salida["proyeccion"] = libreta.proyeccion;
    salida["reservado"] = utf8(libreta.reservado.vista());
    Json estaciones = Json::array();
    for (const auto& e : libreta.estaciones) {
        Json je{{"nombre", utf8(e->nombre.vista())},
                {"tipo", e->tipo},
                {"x", e->x},
                {"y", e->y},
                {"z", e->z},
                {"descripcion1", utf8(e->descripcion1.vista())},
                {"descripcion2", utf8(e->descripcion2.vista())},
                {"croquis", utf8(e->croquis.vista())},
                {"ficheroFoto", utf8(e->ficheroFoto.vista())},
                {"ficheroCroquis", utf8(e->ficheroCroquis.vista())}};
        Json estacionamientos = Json::array();
        for (const auto& s : e->estacionamientos) {
            Json js{{"nombre", utf8(s->nombre.vista())},
                    {"estacion", utf8(s->estacion.vista())},
                    {"alturaInstrumento", s->alturaInstrumento},
                    {"desorientacion", s->desorientacion},
                    {"datos", datosJson(s->datos)}};
            Json lecturas = Json::array();
            for (const auto& l : s->lecturas)
                lecturas.push_back(Json{{"nombre", utf8(l.nombre.vista())},
                                        {"jalon", l.jalon},
                                        {"distancia", l.distancia},
                                        {"vertical", l.vertical},
                                        {"horizontal", l.horizontal},
                                        {"codigo", utf8(l.codigo.vista())}});
            js["lecturas"] = std::move(lecturas);
            estacionamientos.push_back(std::move(js));
        }
        je["estacionamientos"] = std::move(estacionamientos);
        estaciones.push_back(std::move(je));
    }
    salida["estaciones"] = std::move(estaciones);
    return true;
});

const RegistroVolcado volcadoDft("dft", "dft", [](const std::filesystem::path& ruta, Json& salida, std::string& mensaje) {
    CDatosGenerales a;
    mensaje = leerAjustesEntrada(a, ruta.string(), "Error al leer el fichero de configuración ");
    if (!mensaje.empty()) return false;
    salida = Json{{"reservado", a.reservado},
                  {"proyeccion", a.proyeccion},
                  {"escalaAdicional", a.escalaAdicional},
                  {"coefCurvaturaRefraccion", a.coefCurvaturaRefraccion},
                  {"radioTerrestre", a.radioTerrestre},
                  {"prefijoPrecisionX", utf8(a.prefijoPrecisionX.vista())},
                  {"prefijoPrecisionY", utf8(a.prefijoPrecisionY.vista())},
                  {"prefijoPrecisionZ", utf8(a.prefijoPrecisionZ.vista())},
                  {"prefijoDesplazamientoLongitudinal", utf8(a.prefijoDesplazamientoLongitudinal.vista())},
                  {"prefijoDesplazamientoTransversal", utf8(a.prefijoDesplazamientoTransversal.vista())},
                  {"prefijoDesplazamientoAltura", utf8(a.prefijoDesplazamientoAltura.vista())},
                  {"errorCentradoEstacion", a.errorCentradoEstacion},
                  {"errorCentradoPunto", a.errorCentradoPunto},
                  {"errorAlturaInstrumento", a.errorAlturaInstrumento},
                  {"errorAlturaJalon", a.errorAlturaJalon},
                  {"inclinacionJalon", a.inclinacionJalon},
                  {"calcularConPesos", a.calcularConPesos},
                  {"varianzaReferencia", a.varianzaReferencia},
                  {"noCalcularVisualesAEstaciones", a.noCalcularVisualesAEstaciones},
                  {"ficheroInstrumentos", utf8(a.ficheroInstrumentos.vista())},
                  {"ficheroDatosTrabajo", utf8(a.ficheroDatosTrabajo.vista())},
                  {"ficheroLogoEmpresa", utf8(a.ficheroLogoEmpresa.vista())},
                  {"ficheroInformes", utf8(a.ficheroInformes.vista())},
                  {"idioma", a.idioma},
                  {"verEstaciones", a.verEstaciones},
                  {"verPuntos", a.verPuntos},
                  {"verVisuales", a.verVisuales},
                  {"verNumeros", a.verNumeros},
                  {"datosPorDefecto", datosJson(a.datosPorDefecto)},
                  {"ultimoFichero", utf8(a.ultimoFichero.vista())},
                  {"colorTablaCoordenadas", a.colorTablaCoordenadas},
                  {"colorTablaObservaciones", a.colorTablaObservaciones},
                  {"colorGestor", a.colorGestor},
                  {"metodoCompensacion", a.metodoCompensacion},
                  {"decimalesPoligonal", a.decimalesPoligonal}};
    return true;
});

}  // namespace
}  // namespace celvara::cli
