#include "manager/instrumentos_dialogos.h"

#include <system_error>

#include "fieldbook/numeros.h"

namespace celvara {

namespace {

void avisarBaseDanada(Avisos& avisos) {
    avisos.mensaje(kMensajeBaseInstrumentosDanada, "", Botones::Aceptar, Icono::Stop);
}

double real(float v) { return static_cast<double>(v); }

}  // namespace

// ---------------------------------------------------------------------------
// LISTADO DE ESTACIONES

ListadoInstrumentos::ListadoInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos)
    : ajustes_(ajustes), mapa_(mapa), avisos_(avisos) {}

void ListadoInstrumentos::cargar() {
    nombres_.clear();
    seleccion_ = -1;
    if (cargarInstrumentos(lista_, rutaInstrumentos(ajustes_, mapa_), avisos_) != Estado::Exito) {
        avisarBaseDanada(avisos_);
        lista_.clear();
    }
    for (const auto& i : lista_) nombres_.push_back(i.nombre.str());
}

void ListadoInstrumentos::abrir() { cargar(); }

void ListadoInstrumentos::elegir(int indice) {
    seleccion_ = (indice >= 0 && static_cast<std::size_t>(indice) < lista_.size()) ? indice : -1;
}

std::vector<std::string> ListadoInstrumentos::descripcion() const {
    if (seleccion_ < 0) return {};
    return describirInstrumento(lista_[static_cast<std::size_t>(seleccion_)]);
}

void ListadoInstrumentos::antesDelEditor() {
    lista_.clear();
    nombres_.clear();
    seleccion_ = -1;
}

void ListadoInstrumentos::despuesDelEditor() {
    cargar();
    if (!lista_.empty()) seleccion_ = 0;
}

std::optional<std::string> ListadoInstrumentos::aceptar() const {
    if (seleccion_ < 0) return std::nullopt;
    return nombres_[static_cast<std::size_t>(seleccion_)];
}

// ---------------------------------------------------------------------------
// Fields of the editor

CamposInstrumento camposDeInstrumento(const Instrumento& i) {
    CamposInstrumento c;
    c.numero = formatear("%d", i.numero);
    c.marca = i.marca.str();
    c.aumentos = formatear("%d", i.aumentos);
    c.errorH = formatear("%f", real(i.errorH));
    c.errorV = formatear("%f", real(i.errorV));
    c.alcance1Prisma = formatear("%d", i.alcance1Prisma);
    c.alcance3Prismas = formatear("%d", i.alcance3Prismas);
    c.precisionDistancia = formatear("%f", real(i.precisionDistanciaMm));
    c.ppm = formatear("%f", real(i.precisionDistanciaPpm));
    c.excentricidad = formatear("%f", real(i.excentricidad));
    c.lecturaAngular = formatear("%f", real(i.lecturaAngular));
    c.precisionH = formatear("%f", real(i.precisionH));
    c.precisionV = formatear("%f", real(i.precisionV));
    c.nivelEsferico = formatear("%d", i.nivelEsferico);
    c.nivelTorico = formatear("%d", i.nivelTorico);
    c.ejesCompensador = formatear("%d", i.ejesCompensador);
    c.ficheroFoto = i.ficheroFoto.str();
    return c;
}

Instrumento instrumentoDeCampos(const CamposInstrumento& c, std::string_view nombre) {
    auto f = [](const std::string& t) { return static_cast<float>(textoANumero(t)); };
    Instrumento i;
    i.numero = textoAEntero(c.numero);
    i.nombre = nombre;
    i.marca = c.marca;
    i.aumentos = textoAEntero(c.aumentos);
    i.errorH = f(c.errorH);
    i.errorV = f(c.errorV);
    i.alcance1Prisma = textoAEntero(c.alcance1Prisma);
    i.alcance3Prismas = textoAEntero(c.alcance3Prismas);
    i.precisionDistanciaMm = f(c.precisionDistancia);
    i.precisionDistanciaPpm = f(c.ppm);
    i.excentricidad = f(c.excentricidad);
    i.lecturaAngular = f(c.lecturaAngular);
    i.precisionH = f(c.precisionH);
    i.precisionV = f(c.precisionV);
    i.nivelEsferico = textoAEntero(c.nivelEsferico);
    i.nivelTorico = textoAEntero(c.nivelTorico);
    i.ejesCompensador = textoAEntero(c.ejesCompensador);
    i.ficheroFoto = c.ficheroFoto;
    return i;
}

// ---------------------------------------------------------------------------
// CARACTERISTICAS DE LAS ESTACIONES TOTALES

EditorInstrumentos::EditorInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos)
    : ajustes_(ajustes), mapa_(mapa), avisos_(avisos) {}

void EditorInstrumentos::abrir() {
    std::size_t sobrantes = 0;
    cargaFallida_ = cargarInstrumentos(lista_, rutaInstrumentos(ajustes_, mapa_), avisos_, &sobrantes) != Estado::Exito;
    if (cargaFallida_) {
        avisarBaseDanada(avisos_);
        lista_.clear();
    } else if (sobrantes > 0) {
        avisos_.mensaje(formatear("El fichero de instrumentos termina con %zu bytes que no forman un "
                                  "instrumento completo.\nAl salir del editor no se conservarán.",
                                  sobrantes),
                        "", Botones::Aceptar, Icono::Exclamacion);
    }
    pendiente_.reset();
    cambiado_ = false;
    rellenarNombres();
}

void EditorInstrumentos::rellenarNombres() {
    nombres_.clear();
    for (const auto& i : lista_) nombres_.push_back(i.nombre.str());
    if (pendiente_) nombres_.push_back(*pendiente_);
    seleccion_ = -1;
    campos_ = {};
}

bool EditorInstrumentos::esPendiente(int indice) const {
    return pendiente_ && static_cast<std::size_t>(indice) == lista_.size();
}

void EditorInstrumentos::elegir(int indice) {
    if (indice < 0 || static_cast<std::size_t>(indice) >= nombres_.size()) {
        seleccion_ = -1;
        return;
    }
    seleccion_ = indice;
    if (esPendiente(indice))
        campos_ = {};
    else
        campos_ = camposDeInstrumento(lista_[static_cast<std::size_t>(indice)]);
}

std::string EditorInstrumentos::fotoMostrada() const {
    return campos_.ficheroFoto.empty() ? std::string(kFotoInstrumentoPorDefecto) : campos_.ficheroFoto;
}

void EditorInstrumentos::anadir(const std::optional<std::string>& nombre) {
    if (!nombre || nombre->empty()) return;
    // Listed as it will be recorded: cut to the size of the name field.
    const TextoFijo<50> recortado(*nombre);
    if (recortado.vacio()) return;
    if (pendiente_) nombres_.pop_back();
    pendiente_ = recortado.str();
    nombres_.push_back(*pendiente_);
    seleccion_ = static_cast<int>(nombres_.size()) - 1;
    campos_ = {};
}

bool EditorInstrumentos::grabar() {
    if (pendiente_) {
        const Instrumento valores = instrumentoDeCampos(campos_, *pendiente_);
        if (!crearInstrumento(lista_, valores, avisos_)) return false;
        pendiente_.reset();
        seleccion_ = static_cast<int>(lista_.size()) - 1;
        cambiado_ = true;
        return true;
    }
    if (seleccion_ < 0) return false;
    Instrumento& elegido = lista_[static_cast<std::size_t>(seleccion_)];
    actualizarInstrumento(elegido, instrumentoDeCampos(campos_, elegido.nombre.vista()));
    cambiado_ = true;
    return true;
}

void EditorInstrumentos::borrar() {
    if (seleccion_ < 0) return;
    const std::string nombre = nombres_[static_cast<std::size_t>(seleccion_)];
    const auto antes = lista_.size();
    std::erase_if(lista_, [&nombre](const Instrumento& i) { return i.nombre == nombre; });
    if (lista_.size() != antes) cambiado_ = true;
    // The list is refilled from the library: a pending name goes with it.
    pendiente_.reset();
    rellenarNombres();
}

void EditorInstrumentos::elegirFoto(const std::optional<std::string>& rutaWindows) {
    campos_.ficheroFoto = rutaWindows ? TextoFijo<256>(*rutaWindows).str() : std::string(kFotoPorDefecto);
}

bool EditorInstrumentos::salir() {
    const auto ruta = rutaInstrumentos(ajustes_, mapa_);
    std::error_code ec;
    if (cargaFallida_ && !cambiado_ && std::filesystem::exists(ruta, ec)) return true;
    if (guardarInstrumentos(lista_, ruta) != Estado::Exito) {
        avisos_.mensaje("", "", Botones::Aceptar, Icono::Stop);
        return false;
    }
    lista_.clear();
    nombres_.clear();
    seleccion_ = -1;
    pendiente_.reset();
    return true;
}

}  // namespace celvara
