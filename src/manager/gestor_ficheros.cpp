// The file commands of the document: "Nuevo", "Abrir", "Grabar", "Grabar
// como", "Salir" and the import "Fichero OBS v5.5".
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"
#include "manager/gestor_documento.h"

namespace celvara {

namespace {
constexpr const char* kCaptionNuevo = "Editor de observaciones";
constexpr const char* kCaptionAbrir = "Gestor de observaciones";
}  // namespace

// Asks "Desea Guardar los Cambios" when the book (with what is typed in the
// pane shown) is modified. Returns false when the user cancels, and with Yes,
// when `esperarGrabar` asks for it, when "Grabar" fails.
bool CDocumentoObservaciones::preguntarGuardar(std::string_view titulo, bool esperarGrabar, bool& cancelado) {
    cancelado = false;
    // What is typed in the pane shown is a change too: ask about it rather than lose it.
    escribirPendiente();
    if (!modificado()) {
        recuperacion_.retirar();
        return true;
    }
    const std::string texto = "Desea Guardar los Cambios " + cp1252AUtf8(ajustes_.ultimoFichero.vista());
    switch (avisos_.mensaje(texto, titulo, Botones::SiNoCancelar, Icono::Pregunta)) {
        case Respuesta::Cancelar:
            cancelado = true;
            return false;
        case Respuesta::Si: {
            const bool ok = grabar();
            return esperarGrabar ? ok : true;
        }
        default:
            // The user gives the changes up: their copy goes with them.
            recuperacion_.retirar();
            return true;
    }
}

PeticionFichero CDocumentoObservaciones::peticionObservaciones(bool guardar) const {
    PeticionFichero p;
    p.guardar = guardar;
    p.extension = guardar ? "obs" : "OBS";
    p.filtro = guardar ? kFiltroObservacionesGuardar : kFiltroObservaciones;
    // The dialog starts in the current book's folder with its file name, or
    // in the working folder with no name for a book not yet saved.
    const std::string ultimo = cp1252AUtf8(ajustes_.ultimoFichero.vista());
    const auto corte = ultimo.find_last_of("\\/");
    if (corte != std::string::npos) {
        p.directorioInicial = ultimo.substr(0, corte + 1);
        p.nombreInicial = ultimo.substr(corte + 1);
    } else {
        p.directorioInicial = cp1252AUtf8(ajustes_.directorioTrabajo.vista());
        p.nombreInicial = ultimo;
    }
    p.debeExistir = !guardar;
    p.ocultarSoloLectura = true;
    p.confirmarSobrescribir = guardar;
    return p;
}

void CDocumentoObservaciones::nuevo() {
    bool cancelado = false;
    preguntarGuardar(kCaptionNuevo, false, cancelado);
    if (cancelado) return;
    // Nothing of the previous book stays on screen. A copy still on disk (its
    // book could not be saved) stays there for the next time that book opens.
    olvidarLibreta();
    recuperacion_.olvidar();
    ajustes_.ultimoFichero = "";
    libreta_.vaciar();
    fijarTitulo(kTituloGestorSinFichero);
    if (observador_) observador_->mostrarLibreta();
    modificado_ = false;
    historial_.vaciar();
}

void CDocumentoObservaciones::abrir() {
    bool cancelado = false;
    preguntarGuardar(kCaptionAbrir, false, cancelado);
    if (cancelado) return;
    PeticionFichero p = peticionObservaciones(false);
    if (ajustes_.ultimoFichero.vacio()) p.nombreInicial.clear();
    const auto ruta = dialogos_.pedirFichero(p);
    if (!ruta) return;
    abrirLibreta(*ruta);
}

void CDocumentoObservaciones::abrirLibreta(const std::string& ruta) {
    olvidarLibreta();
    recuperacion_.olvidar();
    ajustes_.ultimoFichero = utf8ACp1252(ruta);
    libreta_.vaciar();
    if (leerLibreta(libreta_, anfitrion(ajustes_.ultimoFichero.vista()))) {
        fijarTitulo(tituloGestor(ajustes_.ultimoFichero.vista()));
        ajustes_.proyeccion = libreta_.proyeccion;
        ajustes_.proyeccionTrabajo = leerProyeccionTrabajo(anfitrion(ajustes_.ultimoFichero.vista()), libreta_.proyeccion);
    } else {
        libreta_.vaciar();
        avisos_.mensaje("", "", Botones::Aceptar, Icono::Stop);
        // The book is empty now: nothing is left to save.
    }
    modificado_ = false;
    historial_.vaciar();
    ofrecerRecuperacion(false);
    if (observador_) observador_->mostrarLibreta();
}

bool CDocumentoObservaciones::escribirEnRutaActual() {
    libreta_.proyeccion = ajustes_.proyeccion;
    if (escribirLibreta(libreta_, anfitrion(ajustes_.ultimoFichero.vista()))) {
        // The zone and datum go beside the book; the book itself cannot hold them.
        if (!guardarProyeccionTrabajo(anfitrion(ajustes_.ultimoFichero.vista()), ajustes_.proyeccionTrabajo))
            avisos_.mensaje("No se puede grabar el huso y el datum junto a la libreta");
        fijarTitulo(tituloGestor(ajustes_.ultimoFichero.vista()));
        modificado_ = false;
        historial_.marcarLimpio();
        // Any copy of the book under this name is older than what was just written.
        recuperacion_.retirar(rutaRecuperacion());
        return true;
    }
    avisos_.mensaje("", "", Botones::Aceptar, Icono::Stop);
    return false;
}

bool CDocumentoObservaciones::grabar() {
    // What is typed in the pane shown belongs in the file being written.
    escribirPendiente();
    if (libreta_.estaciones.empty()) return false;
    if (ajustes_.ultimoFichero.vacio()) return grabarComo();
    return escribirEnRutaActual();
}

bool CDocumentoObservaciones::grabarComo() {
    escribirPendiente();
    if (libreta_.estaciones.empty()) return false;
    const auto ruta = dialogos_.pedirFichero(peticionObservaciones(true));
    if (!ruta || ruta->empty()) return false;
    ajustes_.ultimoFichero = utf8ACp1252(*ruta);
    return escribirEnRutaActual();
}

bool CDocumentoObservaciones::salir() {
    const auto rutaAjustes = anfitrion(ajustes_.rutaFicheroAjustes.vista());
    guardarAjustes(ajustes_, rutaAjustes);
    escribirPendiente();
    if (modificado()) {
        bool cancelado = false;
        if (!preguntarGuardar(kCaptionAbrir, true, cancelado)) return false;
        // A book saved under a new name here is the one to open next time.
        if (!modificado()) guardarAjustes(ajustes_, rutaAjustes);
    } else {
        recuperacion_.retirar();
    }
    olvidarLibreta();
    libreta_.vaciar();
    return true;
}

void CDocumentoObservaciones::importarObs() {
    PeticionFichero p = peticionObservaciones(false);
    p.nombreInicial.clear();
    const auto ruta = dialogos_.pedirFichero(p);
    if (!ruta) return;
    CLibretaCampo otra;
    if (!leerLibreta(otra, anfitrion(utf8ACp1252(*ruta)))) {
        avisos_.mensaje("", "", Botones::Aceptar, Icono::Stop);
        return;
    }
    if (otra.estaciones.empty()) return;
    const std::size_t antes = libreta_.estaciones.size();
    anexarLibreta(libreta_, std::move(otra));
    registrarPaso(pasoEstaciones("Importar Fichero OBS", antes, libreta_.estaciones.size() - antes, {}));
    if (observador_) observador_->mostrarLibreta();
}

}  // namespace celvara
