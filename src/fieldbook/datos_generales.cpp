#include "fieldbook/datos_generales.h"

#include <array>
#include <cstring>

#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/imagen_registros.h"

namespace celvara {

namespace {

using namespace bytes;

// Block sizes in file order.
constexpr std::size_t kCalculo = 128, kFicheros = 1028, kVista = 4, kDatos = 176, kUltimo = 256,
                      kColores = 12, kPoligonal = 8;
static_assert(4 + 4 + kCalculo + kFicheros + kVista + kDatos + kUltimo + kColores + kPoligonal ==
              CDatosGenerales::kTamanoFichero);

// Offsets inside the calculation block (object offset minus 584).
namespace calculo {
constexpr std::size_t proyeccion = 0, escala = 8, coeficiente = 16, radio = 24, prefijos = 32,
                      errorEstacion = 64, errorPunto = 72, errorAlturaInstrumento = 80,
                      errorAlturaJalon = 88, inclinacion = 96, pesos = 104, varianza = 112,
                      noVisuales = 120;
static_assert(prefijos + 6 * 5 <= errorEstacion && noVisuales < kCalculo);
}  // namespace calculo

void escribirCalculo(const CDatosGenerales& a, unsigned char* p) {
    escribirU32(p + calculo::proyeccion, a.proyeccion);
    escribirF64(p + calculo::escala, a.escalaAdicional);
    escribirF64(p + calculo::coeficiente, a.coefCurvaturaRefraccion);
    escribirF64(p + calculo::radio, a.radioTerrestre);
    const TextoFijo<5>* prefijos[] = {&a.prefijoPrecisionX, &a.prefijoPrecisionY, &a.prefijoPrecisionZ,
                                     &a.prefijoDesplazamientoLongitudinal,
                                     &a.prefijoDesplazamientoTransversal, &a.prefijoDesplazamientoAltura};
    for (int i = 0; i < 6; ++i) prefijos[i]->aBytes(p + calculo::prefijos + 5 * i);
    escribirF64(p + calculo::errorEstacion, a.errorCentradoEstacion);
    escribirF64(p + calculo::errorPunto, a.errorCentradoPunto);
    escribirF64(p + calculo::errorAlturaInstrumento, a.errorAlturaInstrumento);
    escribirF64(p + calculo::errorAlturaJalon, a.errorAlturaJalon);
    escribirF64(p + calculo::inclinacion, a.inclinacionJalon);
    p[calculo::pesos] = a.calcularConPesos;
    escribirF64(p + calculo::varianza, a.varianzaReferencia);
    p[calculo::noVisuales] = a.noCalcularVisualesAEstaciones;
}

void leerCalculo(const unsigned char* p, CDatosGenerales& a) {
    a.proyeccion = leerU32(p + calculo::proyeccion);
    a.escalaAdicional = leerF64(p + calculo::escala);
    a.coefCurvaturaRefraccion = leerF64(p + calculo::coeficiente);
    a.radioTerrestre = leerF64(p + calculo::radio);
    TextoFijo<5>* prefijos[] = {&a.prefijoPrecisionX, &a.prefijoPrecisionY, &a.prefijoPrecisionZ,
                               &a.prefijoDesplazamientoLongitudinal, &a.prefijoDesplazamientoTransversal,
                               &a.prefijoDesplazamientoAltura};
    for (int i = 0; i < 6; ++i) prefijos[i]->desdeBytes(p + calculo::prefijos + 5 * i);
    a.errorCentradoEstacion = leerF64(p + calculo::errorEstacion);
    a.errorCentradoPunto = leerF64(p + calculo::errorPunto);
    a.errorAlturaInstrumento = leerF64(p + calculo::errorAlturaInstrumento);
    a.errorAlturaJalon = leerF64(p + calculo::errorAlturaJalon);
    a.inclinacionJalon = leerF64(p + calculo::inclinacion);
    a.calcularConPesos = p[calculo::pesos];
    a.varianzaReferencia = leerF64(p + calculo::varianza);
    a.noCalcularVisualesAEstaciones = p[calculo::noVisuales];
}

void escribirFicheros(const CDatosGenerales& a, unsigned char* p) {
    a.ficheroInstrumentos.aBytes(p);
    a.ficheroDatosTrabajo.aBytes(p + 256);
    a.ficheroLogoEmpresa.aBytes(p + 512);
    a.ficheroInformes.aBytes(p + 768);
    escribirU32(p + 1024, a.idioma);
}

void leerFicheros(const unsigned char* p, CDatosGenerales& a) {
    a.ficheroInstrumentos.desdeBytes(p);
    a.ficheroDatosTrabajo.desdeBytes(p + 256);
    a.ficheroLogoEmpresa.desdeBytes(p + 512);
    a.ficheroInformes.desdeBytes(p + 768);
    a.idioma = leerU32(p + 1024);
}

}  // namespace

DatosComplementarios datosComplementariosPorDefecto() {
    DatosComplementarios d;
    d.instrumento = "ESTANDAR";
    d.dia = "1-1-2003";
    d.hora = "12:00:00";
    d.temperatura = 20;
    d.corregidoEsfRefr = 1;
    d.corregidoTempPres = 1;
    return d;
}

std::string rutaFicheroAjustes(std::string_view dir) {
    std::string base;
    int componentes = 0;
    std::size_t desde = 0;
    while (desde < dir.size() && componentes < 2) {
        auto hasta = dir.find('\\', desde);
        if (hasta == std::string_view::npos) hasta = dir.size();
        if (hasta > desde) {
            base.append(dir.substr(desde, hasta - desde)).push_back('\\');
            ++componentes;
        }
        desde = hasta + 1;
    }
    return base + "observa.dft";
}

std::string carpetaLibreta(const CDatosGenerales& a) {
    const std::string_view ultimo = a.ultimoFichero.vista();
    const auto corte = ultimo.find_last_of("\\/");
    if (corte == std::string_view::npos) {
        std::string trabajo(a.directorioTrabajo.vista());
        if (!trabajo.empty() && trabajo.back() != '\\') trabajo.push_back('\\');
        return trabajo;
    }
    std::string carpeta(ultimo.substr(0, corte + 1));
    carpeta.back() = '\\';
    return carpeta;
}

std::string imagenAjustes(const CDatosGenerales& a) {
    std::string imagen(CDatosGenerales::kTamanoFichero, '\0');
    auto* p = reinterpret_cast<unsigned char*>(imagen.data());
    escribirU32(p, a.reservado);
    escribirU32(p + 4, CDatosGenerales::kVersionFichero);
    p += 8;
    escribirCalculo(a, p);
    p += kCalculo;
    escribirFicheros(a, p);
    p += kFicheros;
    p[0] = a.verEstaciones;
    p[1] = a.verPuntos;
    p[2] = a.verVisuales;
    p[3] = a.verNumeros;
    p += kVista;
    imagen::escribirDatos(a.datosPorDefecto, p);
    p += kDatos;
    a.ultimoFichero.aBytes(p);
    p += kUltimo;
    escribirU32(p, a.colorTablaCoordenadas);
    escribirU32(p + 4, a.colorTablaObservaciones);
    escribirU32(p + 8, a.colorGestor);
    p += kColores;
    escribirU32(p, a.metodoCompensacion);
    escribirU32(p + 4, a.decimalesPoligonal);
    return imagen;
}

Estado cargarAjustes(CDatosGenerales& a, const std::filesystem::path& ruta) {
    LectorFichero f(ruta);
    if (!f.abierto()) return Estado::Fallo;
    std::array<unsigned char, CDatosGenerales::kTamanoFichero> b{};
    auto bloque = [&f, &b](std::size_t desde, std::size_t n) { return f.leerExacto(b.data() + desde, n); };

    if (!bloque(0, 4)) return Estado::Fallo;
    a.reservado = leerU32(b.data());
    if (!bloque(4, 4)) return Estado::Fallo;
    if (leerU32(b.data() + 4) != CDatosGenerales::kVersionFichero) return Estado::Exito;

    std::size_t pos = 8;
    if (!bloque(pos, kCalculo)) return Estado::Fallo;
    leerCalculo(b.data() + pos, a);
    pos += kCalculo;
    if (!bloque(pos, kFicheros)) return Estado::Fallo;
    leerFicheros(b.data() + pos, a);
    pos += kFicheros;
    if (!bloque(pos, kVista)) return Estado::Fallo;
    a.verEstaciones = b[pos];
    a.verPuntos = b[pos + 1];
    a.verVisuales = b[pos + 2];
    a.verNumeros = b[pos + 3];
    pos += kVista;
    if (!bloque(pos, kDatos)) return Estado::Fallo;
    imagen::leerDatos(b.data() + pos, a.datosPorDefecto);
    pos += kDatos;
    if (!bloque(pos, kUltimo)) return Estado::Fallo;
    a.ultimoFichero.desdeBytes(b.data() + pos);
    pos += kUltimo;
    if (!bloque(pos, kColores)) return Estado::Fallo;
    a.colorTablaCoordenadas = leerU32(b.data() + pos);
    a.colorTablaObservaciones = leerU32(b.data() + pos + 4);
    a.colorGestor = leerU32(b.data() + pos + 8);
    pos += kColores;
    if (!bloque(pos, kPoligonal)) return Estado::Fallo;
    a.metodoCompensacion = leerU32(b.data() + pos);
    a.decimalesPoligonal = leerU32(b.data() + pos + 4);
    return f.error() ? Estado::Fallo : Estado::Exito;
}

Estado guardarAjustes(const CDatosGenerales& a, const std::filesystem::path& ruta) {
    const std::string imagen = imagenAjustes(a);
    EscritorAtomico f(ruta);
    if (!f.abierto()) return Estado::Fallo;
    const bool ok = f.escribir(imagen.data(), imagen.size());
    return (f.confirmar() && ok) ? Estado::Exito : Estado::Fallo;
}

}  // namespace celvara
