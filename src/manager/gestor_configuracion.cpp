#include "manager/gestor_configuracion.h"

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_dialogos.h"

namespace celvara {

namespace {

template <std::size_t N>
std::string texto(const TextoFijo<N>& campo) {
    return cp1252AUtf8(campo.vista());
}

template <std::size_t N>
void guardar(TextoFijo<N>& campo, const std::string& utf8) {
    campo = utf8ACp1252(utf8);
}

}  // namespace

// ---------------------------------------------------------------- CALCULO

CConfigCalculo::CConfigCalculo(const CDatosGenerales& a)
    : proyeccion(a.proyeccion <= 2 ? static_cast<int>(a.proyeccion) : 0),
      huso(a.proyeccionTrabajo.huso),
      datum(static_cast<int>(datumConcordante(a.proyeccionTrabajo.datum, a.proyeccion))),
      escalaAdicional(formatear("%1.10lf", a.escalaAdicional)),
      coeficiente(formatear("%f", a.coefCurvaturaRefraccion)),
      radioTerrestre(formatear("%f", a.radioTerrestre)),
      desplazamientoLongitudinal(texto(a.prefijoDesplazamientoLongitudinal)),
      desplazamientoTransversal(texto(a.prefijoDesplazamientoTransversal)),
      desplazamientoAltura(texto(a.prefijoDesplazamientoAltura)),
      precisionX(texto(a.prefijoPrecisionX)),
      precisionY(texto(a.prefijoPrecisionY)),
      precisionZ(texto(a.prefijoPrecisionZ)),
      ficheroInformes(texto(a.ficheroInformes)),
      escalaMostrada_(escalaAdicional),
      coeficienteMostrado_(coeficiente),
      radioMostrado_(radioTerrestre) {}

void CConfigCalculo::elegirProyeccion(int indice) {
    proyeccion = indice;
    datum = static_cast<int>(datumConcordante(static_cast<Datum>(datum), static_cast<std::uint32_t>(indice)));
}

void CConfigCalculo::elegirDatum(int indice) {
    if (indice < 0 || indice > static_cast<int>(Datum::Regcan95)) return;
    datum = indice;
    if (proyeccion != 0) proyeccion = static_cast<int>(campoProyeccion(static_cast<Datum>(indice)));
}

void CConfigCalculo::fijarFactorElipsoide(double factor) { escalaAdicional = formatear("%1.10lf", factor); }

void CConfigCalculo::elegirFicheroInformes(DialogosGestor& dialogos, std::string_view directorioInicial) {
    PeticionFichero p;
    p.extension = "TXT";
    p.filtro = kFiltroTexto;
    p.debeExistir = true;
    p.nombreInicial = ficheroInformes;
    p.directorioInicial = std::string(directorioInicial);
    const auto ruta = dialogos.pedirFichero(p);
    if (ruta && !ruta->empty()) ficheroInformes = *ruta;
}

// A number the user left as shown keeps its full precision.
void CConfigCalculo::aplicar(CDatosGenerales& a) const {
    a.proyeccion = proyeccion >= 0 && proyeccion <= 2 ? static_cast<std::uint32_t>(proyeccion) : 0;
    a.proyeccionTrabajo.huso = huso >= kHusoMinimo && huso <= kHusoMaximo ? huso : kHusoPorDefecto;
    const Datum d = datum >= 0 && datum <= static_cast<int>(Datum::Regcan95) ? static_cast<Datum>(datum) : Datum::Ed50;
    a.proyeccionTrabajo.datum = datumConcordante(d, a.proyeccion);
    if (escalaAdicional != escalaMostrada_) a.escalaAdicional = textoANumero(escalaAdicional);
    if (coeficiente != coeficienteMostrado_) a.coefCurvaturaRefraccion = textoANumero(coeficiente);
    if (radioTerrestre != radioMostrado_) a.radioTerrestre = textoANumero(radioTerrestre);
    guardar(a.prefijoDesplazamientoLongitudinal, desplazamientoLongitudinal);
    guardar(a.prefijoDesplazamientoTransversal, desplazamientoTransversal);
    guardar(a.prefijoDesplazamientoAltura, desplazamientoAltura);
    guardar(a.prefijoPrecisionX, precisionX);
    guardar(a.prefijoPrecisionY, precisionY);
    guardar(a.prefijoPrecisionZ, precisionZ);
    guardar(a.ficheroInformes, ficheroInformes);
}

// ---------------------------------------------------------------- complementary data

EdicionDatosComplementarios EdicionDatosComplementarios::desde(const DatosComplementarios& d) {
    EdicionDatosComplementarios e;
    e.instrumento = texto(d.instrumento);
    e.operador = texto(d.operador);
    e.dia = texto(d.dia);
    e.hora = texto(d.hora);
    e.temperatura = formatear("%i", d.temperatura);
    e.presion = formatear("%i", d.presion);
    e.ppm = formatear("%i", d.ppm);
    e.comentarios = texto(d.comentarios);
    e.tipoDistancia = d.tipoDistancia >= 0 && d.tipoDistancia <= 3 ? d.tipoDistancia : 0;
    e.tipoVertical = d.tipoVertical >= 0 && d.tipoVertical <= 2 ? d.tipoVertical : 0;
    e.indiceAngular = d.unidadAngular == kCentesimal ? 0 : 1;
    e.indiceDistancia = d.unidadDistancia == 0 ? 0 : 1;
    e.corregidoEsfRefr = d.corregidoEsfRefr != 0;
    e.corregidoTempPres = d.corregidoTempPres != 0;
    return e;
}

void EdicionDatosComplementarios::aplicar(DatosComplementarios& d) const {
    guardar(d.instrumento, instrumento);
    guardar(d.operador, operador);
    guardar(d.dia, dia);
    guardar(d.hora, hora);
    d.temperatura = textoAEntero(temperatura);
    d.presion = textoAEntero(presion);
    d.ppm = textoAEntero(ppm);
    guardar(d.comentarios, comentarios);
    d.tipoDistancia = tipoDistancia;
    d.tipoVertical = tipoVertical;
    d.unidadAngular = indiceAngular == 0 ? kCentesimal : kSexagesimal;
    d.unidadDistancia = indiceDistancia == 0 ? 0 : 1;
    d.corregidoEsfRefr = corregidoEsfRefr ? 1 : 0;
    d.corregidoTempPres = corregidoTempPres ? 1 : 0;
}

void EdicionDatosComplementarios::elegirInstrumento(const std::optional<std::string>& nombre) {
    if (nombre && !nombre->empty()) instrumento = *nombre;
}

// ---------------------------------------------------------------- IMPORTAR, VARIOS

CConfigImportar::CConfigImportar(const CDatosGenerales& a)
    : datos(EdicionDatosComplementarios::desde(a.datosPorDefecto)) {}

void CConfigImportar::aplicar(CDatosGenerales& a) const { datos.aplicar(a.datosPorDefecto); }

CConfigVarios::CConfigVarios(const CDatosGenerales& a)
    : dibujarEstaciones(a.verEstaciones != 0),
      dibujarPuntos(a.verPuntos != 0),
      dibujarVisuales(a.verVisuales != 0),
      ficheroInstrumentos(texto(a.ficheroInstrumentos)),
      ficheroDatosTrabajo(texto(a.ficheroDatosTrabajo)),
      ficheroLogoEmpresa(texto(a.ficheroLogoEmpresa)),
      colores{a.colorTablaCoordenadas, a.colorTablaObservaciones, a.colorGestor} {}

void CConfigVarios::aplicar(CDatosGenerales& a) const {
    a.verEstaciones = dibujarEstaciones ? 1 : 0;
    a.verPuntos = dibujarPuntos ? 1 : 0;
    a.verVisuales = dibujarVisuales ? 1 : 0;
    guardar(a.ficheroInstrumentos, ficheroInstrumentos);
    guardar(a.ficheroDatosTrabajo, ficheroDatosTrabajo);
    guardar(a.ficheroLogoEmpresa, ficheroLogoEmpresa);
    a.idioma = 0;
}

void CConfiguracion::aceptar(CDatosGenerales& ajustes) const {
    calculo.aplicar(ajustes);
    importar.aplicar(ajustes);
    varios.aplicar(ajustes);
}

}  // namespace celvara
