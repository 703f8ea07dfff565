#include "manager/gestor_rejillas.h"

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_ediciones.h"

namespace celvara {

namespace {

constexpr auto kDerecha = AlineacionColumna::Derecha;

ColumnaRejilla columna(std::string titulo, int longitud, int ancho = 0,
                       AlineacionColumna alineacion = AlineacionColumna::Izquierda) {
    ColumnaRejilla c;
    c.titulo = std::move(titulo);
    c.longitudMaxima = longitud;
    c.ancho = ancho;
    c.alineacion = alineacion;
    return c;
}

std::vector<ColumnaRejilla> construirEstaciones() {
    auto tipo = columna("Tipo Base", 15, 70);
    tipo.opciones = {"FENO", "CLAVO", "VERTICE"};
    return {columna("ESTACION", 15, 90),          columna("X", 12, 95, kDerecha),
            columna("Y", 12, 95, kDerecha),         columna("Z", 12, 80, kDerecha),
            tipo,                                   columna("Descripción1", 100, 200),
            columna("Descripción2", 100, 200),      columna("Fichero Foto", 256, 230),
            columna("Fichero Croquis", 256, 230)};
}

std::vector<ColumnaRejilla> construirLecturas() {
    return {columna("NUMERO", 15, 60),           columna("Jalón", 8, 50, kDerecha),
            columna("Horizontal", 10, 70, kDerecha), columna("Vertical", 10, 70, kDerecha),
            columna("Distancia", 12, 75, kDerecha),  columna("Código", 50, 190)};
}

std::vector<ColumnaRejilla> construirPuntos() {
    std::vector<ColumnaRejilla> c = {columna("NUMERO", 15, 90),       columna("Estación", 15, 70),
                                     columna("X", 12, 95, kDerecha),  columna("Y", 12, 95, kDerecha),
                                     columna("Z", 12, 80, kDerecha),  columna("Código", 50, 150)};
    for (auto& col : c) col.editable = false;
    return c;
}

}  // namespace

const std::vector<ColumnaRejilla>& columnasEstaciones() {
    static const std::vector<ColumnaRejilla> c = construirEstaciones();
    return c;
}

const std::vector<ColumnaRejilla>& columnasLecturas() {
    static const std::vector<ColumnaRejilla> c = construirLecturas();
    return c;
}

const std::vector<ColumnaRejilla>& columnasPuntos() {
    static const std::vector<ColumnaRejilla> c = construirPuntos();
    return c;
}

std::int32_t tipoBaseDeTexto(std::string_view texto) {
    if (texto == "FENO") return 0;
    if (texto == "VERTICE") return 2;
    return 1;
}

std::string textoTipoBase(std::int32_t tipo) {
    if (tipo >= 0 && tipo <= 2) return kTitulosTipoBase[tipo];
    return std::to_string(tipo);
}

std::string textoCeldaEstacion(const Estacion& e, std::size_t columna) {
    switch (columna) {
        case 0: return cp1252AUtf8(e.nombre.vista());
        case 1: return formatear("%1.3lf", e.x);
        case 2: return formatear("%1.3lf", e.y);
        case 3: return formatear("%1.3lf", e.z);
        case 4: return textoTipoBase(e.tipo);
        case 5: return cp1252AUtf8(e.descripcion1.vista());
        case 6: return cp1252AUtf8(e.descripcion2.vista());
        case 7: return cp1252AUtf8(e.ficheroFoto.vista());
        case 8: return cp1252AUtf8(e.ficheroCroquis.vista());
        default: return {};
    }
}

std::string textoCeldaLectura(const Lectura& l, std::size_t columna) {
    switch (columna) {
        case 0: return cp1252AUtf8(l.nombre.vista());
        case 1: return formatear("%1.3lf", l.jalon);
        case 2: return formatear("%1.4lf", l.horizontal);
        case 3: return formatear("%1.4lf", l.vertical);
        case 4: return formatear("%1.3lf", l.distancia);
        case 5: return cp1252AUtf8(l.codigo.vista());
        default: return {};
    }
}

std::string textoCeldaPunto(const PuntoListado& p, std::size_t columna) {
    switch (columna) {
        case 0: return cp1252AUtf8(p.nombre) + (p.base ? "*" : "");
        case 1: return cp1252AUtf8(p.estacion);
        case 2: return formatear("%1.3lf", p.x);
        case 3: return formatear("%1.3lf", p.y);
        case 4: return formatear("%1.3lf", p.z);
        case 5: return cp1252AUtf8(p.codigo);
        default: return {};
    }
}

std::size_t CRejillaGestor::numeroFilas() const {
    switch (seleccion_.estado()) {
        case EstadoSeleccion::Estaciones: return documento_.libreta().estaciones.size();
        case EstadoSeleccion::Estacionamiento:
            return seleccion_.estacionamientoActual() ? seleccion_.estacionamientoActual()->lecturas.size() : 0;
        case EstadoSeleccion::FicheroCoordenadas: return seleccion_.coordenadas().puntos().size();
        default: return 0;
    }
}

std::string CRejillaGestor::texto(std::size_t fila, std::size_t c) const {
    if (fila >= numeroFilas()) return {};
    switch (seleccion_.estado()) {
        case EstadoSeleccion::Estaciones: return textoCeldaEstacion(*documento_.libreta().estaciones[fila], c);
        case EstadoSeleccion::Estacionamiento:
            return textoCeldaLectura(seleccion_.estacionamientoActual()->lecturas[fila], c);
        case EstadoSeleccion::FicheroCoordenadas: return textoCeldaPunto(seleccion_.coordenadas().puntos()[fila], c);
        default: return {};
    }
}

bool CRejillaGestor::editar(std::size_t fila, std::size_t c, std::string_view texto) {
    return ediciones_.editarCelda(fila, c, texto);
}

const std::vector<ColumnaRejilla>& CRejillaGestor::columnas() const {
    static const std::vector<ColumnaRejilla> ninguna;
    switch (seleccion_.estado()) {
        case EstadoSeleccion::Estaciones: return columnasEstaciones();
        case EstadoSeleccion::Estacionamiento: return columnasLecturas();
        case EstadoSeleccion::FicheroCoordenadas: return columnasPuntos();
        default: return ninguna;
    }
}

}  // namespace celvara
