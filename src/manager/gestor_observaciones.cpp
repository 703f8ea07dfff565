#include "manager/gestor_observaciones.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "manager/gestor_rejillas.h"

namespace celvara {

namespace {

// Croquis text: CR LF in the record, "\n" in the pane.
std::string croquisAPanel(std::string_view cp1252) {
    std::string texto;
    for (char c : cp1252AUtf8(cp1252))
        if (c != '\r') texto.push_back(c);
    return texto;
}

std::string croquisARegistro(std::string_view utf8) {
    std::string texto;
    for (char c : utf8ACp1252(utf8)) {
        if (c == '\r') continue;
        if (c == '\n') texto.push_back('\r');
        texto.push_back(c);
    }
    return texto;
}

bool menorSinMayusculas(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

bool extensionCrd(const std::filesystem::path& ruta) {
    std::string ext = ruta.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".crd";
}

template <std::size_t N>
bool asignarSiCambia(TextoFijo<N>& campo, std::string_view cp1252) {
    const TextoFijo<N> nuevo(cp1252);
    if (nuevo == campo) return false;
    campo = nuevo;
    return true;
}

}  // namespace

// The grid of the main window: its columns and rows follow the state; rows
// are read in place from the lists, by index.
class CGestorObservaciones::RejillaGestor : public FuenteRejilla {
public:
    explicit RejillaGestor(CGestorObservaciones& g) : g_(g) {}

    std::size_t numeroColumnas() const override { return columnas().size(); }
    const ColumnaRejilla& columna(std::size_t c) const override { return columnas().at(c); }

    std::size_t numeroFilas() const override {
        switch (g_.estado_) {
            case EstadoSeleccion::Estaciones: return g_.libreta_.estaciones.size();
            case EstadoSeleccion::Estacionamiento:
                return g_.estacionamientoActual_ ? g_.estacionamientoActual_->lecturas.size() : 0;
            case EstadoSeleccion::FicheroCoordenadas: return g_.puntos_.size();
            default: return 0;
        }
    }

    std::string texto(std::size_t fila, std::size_t c) const override {
        if (fila >= numeroFilas()) return {};
        switch (g_.estado_) {
            case EstadoSeleccion::Estaciones: return textoCeldaEstacion(*g_.libreta_.estaciones[fila], c);
            case EstadoSeleccion::Estacionamiento:
                return textoCeldaLectura(g_.estacionamientoActual_->lecturas[fila], c);
            case EstadoSeleccion::FicheroCoordenadas: return textoCeldaPunto(g_.puntos_[fila], c);
            default: return {};
        }
    }

    bool editar(std::size_t fila, std::size_t c, std::string_view texto) override {
        return g_.editarCelda(fila, c, texto);
    }

private:
    const std::vector<ColumnaRejilla>& columnas() const {
        static const std::vector<ColumnaRejilla> ninguna;
        switch (g_.estado_) {
            case EstadoSeleccion::Estaciones: return columnasEstaciones();
            case EstadoSeleccion::Estacionamiento: return columnasLecturas();
            case EstadoSeleccion::FicheroCoordenadas: return columnasPuntos();
            default: return ninguna;
        }
    }

    CGestorObservaciones& g_;
};

CGestorObservaciones::CGestorObservaciones(const MapaRutas& mapa, Avisos& avisos, DialogosGestor& dialogos,
                                           MostradorInformes& mostrador)
    : mapa_(mapa),
      avisos_(avisos),
      dialogos_(dialogos),
      mostrador_(mostrador),
      lectorCoordenadas_(lectorCoordenadasCrd()),
      rejilla_(std::make_unique<RejillaGestor>(*this)) {}

CGestorObservaciones::~CGestorObservaciones() = default;

void CGestorObservaciones::iniciar(EntornoArranque& entorno, const std::string& libretaPedida) {
    estado_ = EstadoSeleccion::Estaciones;
    pestanaImagen_ = 0;
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
    reconstruirArbol();
}

std::filesystem::path CGestorObservaciones::anfitrion(std::string_view rutaCp1252) const {
    return mapa_.aAnfitrion(cp1252AUtf8(rutaCp1252));
}

void CGestorObservaciones::marcarModificado() {
    modificado_ = true;
    ++cambios_;
}

void CGestorObservaciones::fijarTitulo(std::string titulo) { titulo_ = cp1252AUtf8(titulo); }

void CGestorObservaciones::tocarRejilla() {
    ++revisiones_.rejilla;
    ++revisiones_.dibujo;
}

void CGestorObservaciones::tocarArbol() {
    ++revisiones_.arbol;
    ++revisiones_.dibujo;
}

void CGestorObservaciones::vaciarPuntos() {
    std::vector<PuntoListado>().swap(puntos_);
    if (estado_ == EstadoSeleccion::FicheroCoordenadas) tocarRejilla();
    ++revisiones_.dibujo;
}

// ---------------------------------------------------------------- tree

void CGestorObservaciones::listarFicherosCoordenadas() {
    ficherosCrd_.clear();
    std::error_code ec;
    const auto carpeta = anfitrion(ajustes_.directorioTrabajo.vista());
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_regular_file(ec2) && extensionCrd(it->path()))
            ficherosCrd_.push_back(it->path().filename().string());
    }
    std::sort(ficherosCrd_.begin(), ficherosCrd_.end(), menorSinMayusculas);
}

bool CGestorObservaciones::estacionEnLibreta(const Estacion* e) const {
    if (!e) return false;
    for (const auto& p : libreta_.estaciones)
        if (p.get() == e) return true;
    return false;
}

bool CGestorObservaciones::estacionamientoEnLibreta(const Estacion* e, const Estacionamiento* s) const {
    if (!s || !estacionEnLibreta(e)) return false;
    for (const auto& p : e->estacionamientos)
        if (p.get() == s) return true;
    return false;
}

void CGestorObservaciones::reconstruirArbol(const Estacion* estacion, const Estacionamiento* estacionamiento,
                                            bool seleccionarCoordenadas) {
    listarFicherosCoordenadas();
    tocarArbol();
    NodoArbol destino = NodoArbol::raizEstaciones();
    if (seleccionarCoordenadas) {
        destino = NodoArbol::raizCoordenadas();
    } else if (estacionamientoEnLibreta(estacion, estacionamiento)) {
        destino = NodoArbol::deEstacionamiento(const_cast<Estacion*>(estacion),
                                               const_cast<Estacionamiento*>(estacionamiento));
    } else if (estacionEnLibreta(estacion)) {
        destino = NodoArbol::deEstacion(const_cast<Estacion*>(estacion));
    }
    seleccionar(destino);
}

void CGestorObservaciones::olvidarActuales() {
    estacionActual_ = nullptr;
    estacionamientoActual_ = nullptr;
}

void CGestorObservaciones::seleccionar(const NodoArbol& pedido) {
    escribirPanelesPendientes();

    NodoArbol nodo = pedido;
    // A node whose record left the book (a window freed it) falls back to the root.
    if ((nodo.tipo == TipoNodo::Estacion && !estacionEnLibreta(nodo.estacion)) ||
        (nodo.tipo == TipoNodo::Estacionamiento && !estacionamientoEnLibreta(nodo.estacion, nodo.estacionamiento)))
        nodo = NodoArbol::raizEstaciones();
    seleccion_ = nodo;
    ++revisiones_.paneles;
    tocarRejilla();

    switch (nodo.tipo) {
        case TipoNodo::Ninguno:
            return;
        case TipoNodo::Estacionamiento:
            estado_ = EstadoSeleccion::Estacionamiento;
            estacionActual_ = nodo.estacion;
            estacionamientoActual_ = nodo.estacionamiento;
            mostrarEstacionamiento();
            filaActual_ = 0;
            modoDibujo_ = ModoDibujo::Estacionamiento;
            return;
        case TipoNodo::Estacion:
            estado_ = EstadoSeleccion::Estacion;
            estacionActual_ = nodo.estacion;
            estacionamientoActual_ = nullptr;
            mostrarEstacion();
            return;
        case TipoNodo::FicheroCoordenadas: {
            estado_ = EstadoSeleccion::FicheroCoordenadas;
            olvidarActuales();
            vaciarPuntos();
            filaActual_ = 0;
            if (nodo.fichero >= ficherosCrd_.size()) return;
            if (!lectorCoordenadas_) {
                noDisponible();
                return;
            }
            const auto carpeta = anfitrion(ajustes_.directorioTrabajo.vista());
            if (lectorCoordenadas_(carpeta / ficherosCrd_[nodo.fichero], puntos_)) {
                modoDibujo_ = ModoDibujo::FicheroCoordenadas;
            } else {
                vaciarPuntos();
                avisos_.mensaje("ERROR");
            }
            return;
        }
        case TipoNodo::RaizEstaciones:
            estado_ = EstadoSeleccion::Estaciones;
            olvidarActuales();
            filaActual_ = 0;
            modoDibujo_ = ModoDibujo::Estaciones;
            return;
        case TipoNodo::RaizCoordenadas:
            estado_ = EstadoSeleccion::Coordenadas;
            olvidarActuales();
            modoDibujo_ = ModoDibujo::Proyecto;
            return;
    }
}

std::string_view CGestorObservaciones::rotulo() const {
    switch (estado_) {
        case EstadoSeleccion::Estaciones: return "L I S T A D O    D E    L A S    B A S E S";
        case EstadoSeleccion::Estacion: return "D E T A L L E    D E    L A    B A S E ";
        case EstadoSeleccion::Estacionamiento: return "L E C T U R A S    D E L    E S T A C I O N A M I E N T O";
        case EstadoSeleccion::Coordenadas: return "D  I  B  U  J  O";
        case EstadoSeleccion::FicheroCoordenadas: return "L I S T A D O    D E    C O O R D E N A D A S";
        default: return "";
    }
}

// ---------------------------------------------------------------- panes

void CGestorObservaciones::mostrarEstacion() {
    const Estacion& e = *estacionActual_;
    PanelEstacion p;
    p.nombre = cp1252AUtf8(e.nombre.vista());
    p.x = formatear("%1.3lf", e.x);
    p.y = formatear("%1.3lf", e.y);
    p.z = formatear("%1.3lf", e.z);
    p.descripcion1 = cp1252AUtf8(e.descripcion1.vista());
    p.descripcion2 = cp1252AUtf8(e.descripcion2.vista());
    p.croquis = croquisAPanel(e.croquis.vista());
    p.tipo = e.tipo;
    panelEstacion_ = p;
    panelEstacionMostrado_ = p;
}

void CGestorObservaciones::mostrarEstacionamiento() {
    const Estacionamiento& s = *estacionamientoActual_;
    PanelEstacionamiento p;
    p.nombre = cp1252AUtf8(s.nombre.vista());
    p.estacion = cp1252AUtf8(s.estacion.vista());
    p.altura = formatear("%1.3lf", s.alturaInstrumento);
    p.desorientacion = formatear("%1.4lf", s.desorientacion);
    panelEstacionamiento_ = p;
    panelEstacionamientoMostrado_ = p;
    desorientacionMostrada_ = s.desorientacion;
}

// Only what the user changed is written back: a value shown rounded to three
// decimals keeps its full precision when the user merely looked at it.
void CGestorObservaciones::escribirPanelEstacion() {
    const auto i = posicionDe(estacionActual_);
    if (!i) return;
    Estacion& e = *estacionActual_;
    auto paso = pasoCabecera("Editar estación " + cp1252AUtf8(e.nombre.vista()), *i, e);
    const PanelEstacion& p = panelEstacion_;
    const PanelEstacion& antes = panelEstacionMostrado_;
    bool cambio = false;
    if (p.descripcion1 != antes.descripcion1) cambio |= asignarSiCambia(e.descripcion1, utf8ACp1252(p.descripcion1));
    if (p.descripcion2 != antes.descripcion2) cambio |= asignarSiCambia(e.descripcion2, utf8ACp1252(p.descripcion2));
    if (p.croquis != antes.croquis) cambio |= asignarSiCambia(e.croquis, croquisARegistro(p.croquis));
    auto coordenada = [&cambio](const std::string& texto, const std::string& mostrado, double& valor) {
        if (texto == mostrado) return;
        const double nuevo = textoANumero(texto);
        if (nuevo != valor) {
            valor = nuevo;
            cambio = true;
        }
    };
    coordenada(p.x, antes.x, e.x);
    coordenada(p.y, antes.y, e.y);
    coordenada(p.z, antes.z, e.z);
    if (p.tipo != antes.tipo && p.tipo != e.tipo) {
        e.tipo = p.tipo;
        cambio = true;
    }
    panelEstacionMostrado_ = p;
    if (cambio) {
        registrarPaso(std::move(paso));
        ++revisiones_.dibujo;
    }
}

void CGestorObservaciones::escribirPanelEstacionamiento() {
    const auto pos = posicionDe(estacionActual_, estacionamientoActual_);
    if (!pos) return;
    Estacionamiento& s = *estacionamientoActual_;
    auto paso = pasoCabecera("Editar estacionamiento " + cp1252AUtf8(s.nombre.vista()), pos->first, *estacionActual_);
    const PanelEstacionamiento& p = panelEstacionamiento_;
    const PanelEstacionamiento& antes = panelEstacionamientoMostrado_;
    bool cambio = false;
    if (p.altura != antes.altura) {
        const double altura = textoANumero(p.altura);
        cambio |= altura != s.alturaInstrumento;
        s.alturaInstrumento = altura;
    }
    const double desorientacion = p.desorientacion != antes.desorientacion
                                      ? normalizarDesorientacionTecleada(utf8ACp1252(p.desorientacion))
                                      : desorientacionMostrada_;
    cambio |= desorientacion != s.desorientacion;
    s.desorientacion = desorientacion;
    panelEstacionamientoMostrado_ = p;
    desorientacionMostrada_ = s.desorientacion;
    if (cambio) {
        registrarPaso(std::move(paso));
        ++revisiones_.dibujo;
    }
}

void CGestorObservaciones::escribirPanelesPendientes() {
    if (estado_ == EstadoSeleccion::Estacion) escribirPanelEstacion();
    if (estado_ == EstadoSeleccion::Estacionamiento) escribirPanelEstacionamiento();
}

void CGestorObservaciones::cambiarTextoDesorientacion(std::string_view texto) {
    panelEstacionamiento_.desorientacion = std::string(texto);
    const auto pos = posicionDe(estacionActual_, estacionamientoActual_);
    if (estado_ != EstadoSeleccion::Estacionamiento || !pos) return;
    const std::string clave = "desorientacion " + std::to_string(pos->first) + " " + std::to_string(pos->second);
    auto paso = pasoCabecera("Teclear desorientación " + cp1252AUtf8(estacionamientoActual_->nombre.vista()),
                             pos->first, *estacionActual_);
    const double antes = estacionamientoActual_->desorientacion;
    estacionamientoActual_->desorientacion = panelEstacionamiento_.desorientacion ==
                                                     panelEstacionamientoMostrado_.desorientacion
                                                 ? desorientacionMostrada_
                                                 : textoANumero(texto);
    if (std::memcmp(&antes, &estacionamientoActual_->desorientacion, sizeof antes) != 0) {
        ++cambios_;
        // One step for the whole typing in the field.
        paso->fijarClave(clave);
        if (!historial_.puedeFusionar(clave)) registrarPaso(std::move(paso));
    }
    ++revisiones_.dibujo;
}

void CGestorObservaciones::cambiarPestana(int pestana) {
    pestanaImagen_ = pestana == 1 ? 1 : 0;
    ++revisiones_.paneles;
}

std::string CGestorObservaciones::rutaImagen() const {
    if (!estacionActual_) return kImagenPorDefecto;
    const auto& campo = pestanaImagen_ == 0 ? estacionActual_->ficheroFoto : estacionActual_->ficheroCroquis;
    return campo.vacio() ? std::string(kImagenPorDefecto) : cp1252AUtf8(campo.vista());
}

void CGestorObservaciones::elegirImagen() {
    if (estado_ != EstadoSeleccion::Estacion || !estacionEnLibreta(estacionActual_)) return;
    PeticionFichero p;
    p.extension = "bmp";
    p.filtro = kFiltroImagen;
    p.debeExistir = true;
    p.directorioInicial = cp1252AUtf8(ajustes_.directorioTrabajo.vista());
    const auto ruta = dialogos_.pedirFichero(p);
    if (!ruta || ruta->empty()) return;
    auto& campo = pestanaImagen_ == 0 ? estacionActual_->ficheroFoto : estacionActual_->ficheroCroquis;
    auto paso = pasoCabecera("Cambiar imagen de " + cp1252AUtf8(estacionActual_->nombre.vista()),
                             *posicionDe(estacionActual_), *estacionActual_);
    if (asignarSiCambia(campo, utf8ACp1252(*ruta))) registrarPaso(std::move(paso));
    ++revisiones_.paneles;
}

// ---------------------------------------------------------------- grid

FuenteRejilla& CGestorObservaciones::rejilla() { return *rejilla_; }

void CGestorObservaciones::fijarFilaActual(std::size_t fila) { filaActual_ = fila; }

// ---------------------------------------------------------------- drawing

bool CGestorObservaciones::vista(VistaDibujo v) const {
    switch (v) {
        case VistaDibujo::Estaciones: return ajustes_.verEstaciones != 0;
        case VistaDibujo::Puntos: return ajustes_.verPuntos != 0;
        case VistaDibujo::Visuales: return ajustes_.verVisuales != 0;
        case VistaDibujo::Numeros: return ajustes_.verNumeros != 0;
    }
    return false;
}

void CGestorObservaciones::cambiarVista(VistaDibujo v, bool activa) {
    const std::uint8_t valor = activa ? 1 : 0;
    switch (v) {
        case VistaDibujo::Estaciones: ajustes_.verEstaciones = valor; break;
        case VistaDibujo::Puntos: ajustes_.verPuntos = valor; break;
        case VistaDibujo::Visuales: ajustes_.verVisuales = valor; break;
        case VistaDibujo::Numeros: ajustes_.verNumeros = valor; break;
    }
    ++revisiones_.dibujo;
}

// ---------------------------------------------------------------- commands

void CGestorObservaciones::ejecutar(Accion accion) {
    switch (accion) {
        case Accion::Nuevo: nuevo(); break;
        case Accion::Abrir: abrir(); break;
        case Accion::Grabar: grabar(); break;
        case Accion::GrabarComo: grabarComo(); break;
        case Accion::ImportarObs: importarObs(); break;
        case Accion::Salir: salir(); break;
        case Accion::Configurar: configurar(); break;
        case Accion::InformeResumen: generarInformeResumen(); break;
        case Accion::Actualizar: actualizar(); break;
        case Accion::InsertarEstacion: insertarEstacion(); break;
        case Accion::AnadirEstacion: anadirEstacion(); break;
        case Accion::AnadirEstacionNombre: anadirEstacionPorNombre(); break;
        case Accion::BorrarEstacion: borrarEstacion(); break;
        case Accion::UnirTodosEstacionamientos: unirTodosEstacionamientos(); break;
        case Accion::RecogerCoordenadasAcad: recogerCoordenadasAcad(); break;
        case Accion::AnadirEstacionamiento: anadirEstacionamiento(); break;
        case Accion::BorrarEstacionamiento: borrarEstacionamiento(); break;
        case Accion::InsertarLectura: insertarLectura(); break;
        case Accion::AnadirLectura: anadirLectura(); break;
        case Accion::BorrarLectura: borrarLectura(); break;
        case Accion::Deshacer: deshacer(); break;
        case Accion::Rehacer: rehacer(); break;
        case Accion::DibujarProyecto:
        case Accion::AcercaDe:
            break;
        default: noDisponible(); break;
    }
}

void CGestorObservaciones::noDisponible() {
    avisos_.mensaje(kMensajeNoDisponible, "", Botones::Aceptar, Icono::Informacion);
}

void CGestorObservaciones::recogerCoordenadasAcad() { avisos_.mensaje(kMensajeNoOperativa); }

void CGestorObservaciones::actualizar() { reconstruirArbol(); }

// ---------------------------------------------------------------- selection rules

Estacion* CGestorObservaciones::estacionSeleccionada() {
    switch (seleccion_.tipo) {
        case TipoNodo::Estacion:
        case TipoNodo::Estacionamiento:
            if (estacionEnLibreta(seleccion_.estacion)) return seleccion_.estacion;
            break;
        case TipoNodo::FicheroCoordenadas:
            return nullptr;
        default:
            break;
    }
    avisos_.mensaje("1º Seleccionar una Estación");
    return nullptr;
}

Estacionamiento* CGestorObservaciones::estacionamientoSeleccionado() {
    if (seleccion_.tipo == TipoNodo::Estacionamiento &&
        estacionamientoEnLibreta(seleccion_.estacion, seleccion_.estacionamiento))
        return seleccion_.estacionamiento;
    avisos_.mensaje("1º Seleccionar la SubEstación");
    return nullptr;
}

Estacion* CGestorObservaciones::estacionParaCalculo() const {
    if ((seleccion_.tipo == TipoNodo::Estacion || seleccion_.tipo == TipoNodo::Estacionamiento) &&
        estacionEnLibreta(seleccion_.estacion))
        return seleccion_.estacion;
    return libreta_.estaciones.empty() ? nullptr : libreta_.estaciones.front().get();
}

}  // namespace celvara
