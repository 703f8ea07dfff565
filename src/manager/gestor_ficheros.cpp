// The file commands of the observation manager: "Nuevo", "Abrir", "Grabar",
// "Grabar como", "Salir" and the import "Fichero OBS v5.5"; the recovery copy
// of the open book (manager/recuperacion.h).
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_obs.h"
#include "manager/gestor_observaciones.h"

namespace celvara {

namespace {
constexpr const char* kCaptionNuevo = "Editor de observaciones";
constexpr const char* kCaptionAbrir = "Gestor de observaciones";
}  // namespace

// Asks "Desea Guardar los Cambios" when the book (with what is typed in the
// pane shown) is modified. Returns false when the user cancels, and with Yes,
// when `esperarGrabar` asks for it, when "Grabar" fails.
bool CGestorObservaciones::preguntarGuardar(std::string_view titulo, bool esperarGrabar, bool& cancelado) {
    cancelado = false;
    // What is typed in the pane shown is a change too: ask about it rather than lose it.
    escribirPanelesPendientes();
    if (!modificado()) {
        retirarRecuperacion();
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
            retirarRecuperacion();
            return true;
    }
}

PeticionFichero CGestorObservaciones::peticionObservaciones(bool guardar) const {
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

void CGestorObservaciones::nuevo() {
    bool cancelado = false;
    preguntarGuardar(kCaptionNuevo, false, cancelado);
    if (cancelado) return;
    olvidarActuales();
    // A copy still on disk (its book could not be saved) stays there for the
    // next time that book opens.
    recuperacion_.olvidar();
    // Nothing of the previous book stays on screen: its coordinate-file points and its zoom.
    vaciarPuntos();
    ++revisiones_.libreta;
    ajustes_.ultimoFichero = "";
    libreta_.vaciar();
    fijarTitulo(kTituloGestorSinFichero);
    filaActual_ = 0;
    reconstruirArbol();
    modificado_ = false;
    historial_.vaciar();
}

void CGestorObservaciones::abrir() {
    bool cancelado = false;
    preguntarGuardar(kCaptionAbrir, false, cancelado);
    if (cancelado) return;
    PeticionFichero p = peticionObservaciones(false);
    if (ajustes_.ultimoFichero.vacio()) p.nombreInicial.clear();
    const auto ruta = dialogos_.pedirFichero(p);
    if (!ruta) return;
    abrirLibreta(*ruta);
}

void CGestorObservaciones::abrirLibreta(const std::string& ruta) {
    olvidarActuales();
    recuperacion_.olvidar();
    vaciarPuntos();
    ++revisiones_.libreta;
    ajustes_.ultimoFichero = utf8ACp1252(ruta);
    libreta_.vaciar();
    filaActual_ = 0;
    if (leerLibreta(libreta_, anfitrion(ajustes_.ultimoFichero.vista()))) {
        fijarTitulo(tituloGestor(ajustes_.ultimoFichero.vista()));
        ajustes_.proyeccion = libreta_.proyeccion;
    } else {
        libreta_.vaciar();
        avisos_.mensaje("", "", Botones::Aceptar, Icono::Stop);
        // The book is empty now: nothing is left to save.
    }
    modificado_ = false;
    historial_.vaciar();
    ofrecerRecuperacion(false);
    reconstruirArbol();
}

bool CGestorObservaciones::escribirEnRutaActual() {
    libreta_.proyeccion = ajustes_.proyeccion;
    if (escribirLibreta(libreta_, anfitrion(ajustes_.ultimoFichero.vista()))) {
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

bool CGestorObservaciones::grabar() {
    // What is typed in the pane shown belongs in the file being written.
    escribirPanelesPendientes();
    if (libreta_.estaciones.empty()) return false;
    if (ajustes_.ultimoFichero.vacio()) return grabarComo();
    return escribirEnRutaActual();
}

bool CGestorObservaciones::grabarComo() {
    escribirPanelesPendientes();
    if (libreta_.estaciones.empty()) return false;
    const auto ruta = dialogos_.pedirFichero(peticionObservaciones(true));
    if (!ruta || ruta->empty()) return false;
    ajustes_.ultimoFichero = utf8ACp1252(*ruta);
    return escribirEnRutaActual();
}

bool CGestorObservaciones::salir() {
    const auto rutaAjustes = anfitrion(ajustes_.rutaFicheroAjustes.vista());
    guardarAjustes(ajustes_, rutaAjustes);
    escribirPanelesPendientes();
    if (modificado()) {
        bool cancelado = false;
        if (!preguntarGuardar(kCaptionAbrir, true, cancelado)) return false;
        // A book saved under a new name here is the one to open next time.
        if (!modificado()) guardarAjustes(ajustes_, rutaAjustes);
    } else {
        retirarRecuperacion();
    }
    olvidarActuales();
    vaciarPuntos();
    libreta_.vaciar();
    return true;
}

std::filesystem::path CGestorObservaciones::rutaRecuperacion() const {
    if (ajustes_.ultimoFichero.vacio())
        return CRecuperacion::rutaSinTitulo(anfitrion(ajustes_.directorioTrabajo.vista()));
    return CRecuperacion::rutaDe(anfitrion(ajustes_.ultimoFichero.vista()));
}

bool CGestorObservaciones::ofrecerRecuperacion(bool sinTitulo) {
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
    olvidarActuales();
    vaciarPuntos();
    ++revisiones_.libreta;
    filaActual_ = 0;
    libreta_ = std::move(leida);
    if (sinTitulo) ajustes_.ultimoFichero = "";
    fijarTitulo(sinTitulo ? std::string(kTituloGestorSinFichero) : tituloGestor(ajustes_.ultimoFichero.vista()));
    ajustes_.proyeccion = libreta_.proyeccion;
    historial_.vaciar();
    marcarModificado();
    recuperacion_.adoptar(copia, cambios_);
    return true;
}

void CGestorObservaciones::retirarRecuperacion() { recuperacion_.retirar(); }

bool CGestorObservaciones::autoguardar() {
    if (!recuperacion_.activa() || foto_) return false;
    escribirPanelesPendientes();
    if (!modificado()) {
        // Back at the book as saved (changes undone): its copy has nothing to add.
        recuperacion_.retirar();
        return false;
    }
    if (!recuperacion_.toca(true, cambios_)) return false;
    libreta_.proyeccion = ajustes_.proyeccion;
    const auto ruta = rutaRecuperacion();
    const bool primera = recuperacion_.propia() != ruta;
    if (!recuperacion_.grabar(libreta_, ruta, cambios_)) return false;
    // The settings name this book as the last one at once (not only at the
    // exit): after a crash the next start opens it and offers its copy.
    if (primera) guardarAjustes(ajustes_, anfitrion(ajustes_.rutaFicheroAjustes.vista()));
    return true;
}

void CGestorObservaciones::importarObs() {
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
    filaActual_ = 0;
    reconstruirArbol();
}

}  // namespace celvara
