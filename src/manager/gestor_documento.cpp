#include "manager/gestor_documento.h"

#include <exception>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"

namespace celvara {

namespace {
constexpr const char* kCaptionAbrir = "Gestor de observaciones";
}  // namespace

CDocumentoObservaciones::CDocumentoObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos)
    : mapa_(mapa), avisos_(avisos), dialogos_(dialogos) {}

void CDocumentoObservaciones::iniciar(EntornoArranque& entorno, const std::string& libretaPedida) {
    ajustes_.directorioTrabajo = leerDirectorioTrabajo(entorno).ruta;
    fijarTitulo(arrancarGestor(libreta_, ajustes_, mapa_, avisos_));
    modificado_ = false;
    historial_.vaciar();

    // The autosave interval lives in celvara.ini; written there at once so
    // that the user finds the key to change.
    const auto rutaIni = rutaAjustesPropios(anfitrion(ajustes_.rutaFicheroAjustes.vista()));
    AjustesPropios ini;
    if (ini.cargar(rutaIni)) {
        recuperacion_.leerAjustes(ini);
        if (!ini.texto("Recuperacion", "minutos")) {
            ini.asignarNumero("Recuperacion", "minutos", recuperacion_.minutos());
            ini.guardar(rutaIni);
        }
    }

    if (!libretaPedida.empty()) abrirLibreta(libretaPedida);  // offers its own copy
    else ofrecerRecuperacion(ajustes_.ultimoFichero.vacio());
    // A book never saved left a copy in the working folder.
    if (!ajustes_.ultimoFichero.vacio() && !recuperacion_.propia()) ofrecerRecuperacion(true);
}

std::filesystem::path CDocumentoObservaciones::anfitrion(std::string_view rutaCp1252) const {
    return mapa_.aAnfitrion(cp1252AUtf8(rutaCp1252));
}

void CDocumentoObservaciones::marcarModificado() {
    modificado_ = true;
    ++cambios_;
}

void CDocumentoObservaciones::fijarTitulo(std::string titulo) { titulo_ = cp1252AUtf8(titulo); }

void CDocumentoObservaciones::escribirPendiente() {
    if (observador_) observador_->escribirPanelesPendientes();
}

void CDocumentoObservaciones::olvidarLibreta() {
    if (observador_) observador_->olvidarLibreta();
}

// ---------------------------------------------------------------- history

void CDocumentoObservaciones::registrarPaso(std::unique_ptr<PasoLibreta> paso) {
    historial_.registrar(std::move(paso));
    ++cambios_;
}

void CDocumentoObservaciones::registrarTecleo(std::unique_ptr<PasoLibreta> paso, std::string clave) {
    ++cambios_;
    paso->fijarClave(clave);
    if (!historial_.puedeFusionar(clave)) registrarPaso(std::move(paso));
}

void CDocumentoObservaciones::moverHistorial(bool atras) {
    ++cambios_;
    try {
        if (atras) historial_.deshacer(libreta_);
        else historial_.rehacer(libreta_);
    } catch (const std::exception&) {
        // Out of memory, or a step that no longer fits the book: what was
        // done stays, and the history is given up rather than trusted.
        historial_.vaciar();
        marcarModificado();
        avisos_.mensaje("No se puede deshacer: el historial de cambios se ha perdido");
    }
}

// ---------------------------------------------------------------- other windows

void CDocumentoObservaciones::antesDeOtraVentana(bool escribe) {
    foto_.reset();
    if (!escribe) return;
    // The changes made so far are on disk before the window runs, whatever happens in it.
    autoguardar();
    // The records the window changes are found afterwards by comparison.
    foto_.emplace(libreta_);
}

void CDocumentoObservaciones::despuesDeOtraVentana(const std::string& nombre) {
    if (foto_ && !nombre.empty()) registrarPaso(foto_->diferencia(libreta_, nombre));
    foto_.reset();
}

// ---------------------------------------------------------------- recovery

std::filesystem::path CDocumentoObservaciones::rutaRecuperacion() const {
    if (ajustes_.ultimoFichero.vacio())
        return CRecuperacion::rutaSinTitulo(anfitrion(ajustes_.directorioTrabajo.vista()));
    return CRecuperacion::rutaDe(anfitrion(ajustes_.ultimoFichero.vista()));
}

bool CDocumentoObservaciones::ofrecerRecuperacion(bool sinTitulo) {
    const auto copia = sinTitulo ? CRecuperacion::rutaSinTitulo(anfitrion(ajustes_.directorioTrabajo.vista()))
                                 : rutaRecuperacion();
    const auto fecha =
        CRecuperacion::aOfrecer(copia, sinTitulo ? std::filesystem::path() : anfitrion(ajustes_.ultimoFichero.vista()));
    if (!fecha) return false;
    std::string nombre = kLibretaSinTitulo;
    if (!sinTitulo) {
        nombre = cp1252AUtf8(ajustes_.ultimoFichero.vista());
        nombre.erase(0, nombre.find_last_of("\\/") + 1);
    }
    if (avisos_.mensaje(CRecuperacion::pregunta(nombre, *fecha), kCaptionAbrir, Botones::SiNo, Icono::Pregunta) !=
        Respuesta::Si) {
        CRecuperacion::apartar(copia, *fecha);
        return false;
    }
    CLibretaCampo leida;
    if (!leerLibreta(leida, copia)) {
        // The copy stays where it is, to be looked at.
        avisos_.mensaje("No se puede leer la copia de recuperación de " + nombre, kCaptionAbrir, Botones::Aceptar,
                        Icono::Stop);
        return false;
    }
    // The copy becomes the book, modified, under the book's own name: "Grabar" writes the book.
    olvidarLibreta();
    libreta_ = std::move(leida);
    if (sinTitulo) ajustes_.ultimoFichero = "";
    fijarTitulo(sinTitulo ? std::string(kTituloGestorSinFichero) : tituloGestor(ajustes_.ultimoFichero.vista()));
    ajustes_.proyeccion = libreta_.proyeccion;
    if (!sinTitulo)
        ajustes_.proyeccionTrabajo =
            leerProyeccionTrabajo(anfitrion(ajustes_.ultimoFichero.vista()), libreta_.proyeccion);
    historial_.vaciar();
    marcarModificado();
    recuperacion_.adoptar(copia, cambios_);
    return true;
}

bool CDocumentoObservaciones::autoguardar() {
    if (!recuperacion_.activa() || foto_) return false;
    escribirPendiente();
    if (!modificado()) {
        // Back at the book as saved (changes undone): its copy has nothing to add.
        recuperacion_.retirar();
        return false;
    }
    if (!recuperacion_.toca(true, cambios_)) return false;
    libreta_.proyeccion = ajustes_.proyeccion;
    const auto ruta = rutaRecuperacion();
    // The settings name this book as the last one before its first copy is
    // on disk (not only at the exit): a crash at any moment after the copy
    // finds the book on the next start, which then offers the copy.
    if (recuperacion_.propia() != ruta) guardarAjustes(ajustes_, anfitrion(ajustes_.rutaFicheroAjustes.vista()));
    return recuperacion_.grabar(libreta_, ruta, cambios_);
}

}  // namespace celvara
