#include "manager/herramientas_lecturas.h"

#include <algorithm>
#include <unordered_map>

#include "calc/caras.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

bool soloDigitos(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits-only names by value (any length), anything else as bytes.
int comparar(std::string_view a, std::string_view b) {
    if (soloDigitos(a) && soloDigitos(b)) {
        a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
        b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string utf(std::string_view cp1252) { return cp1252AUtf8(cp1252); }

bool preguntar(Avisos& avisos, const std::string& texto) {
    return avisos.mensaje(texto, "", Botones::SiNo, Icono::Pregunta) == Respuesta::Si;
}

template <typename Lista>
auto buscar(Lista& lista, const void* registro) {
    return std::find_if(lista.begin(), lista.end(), [&](const auto& p) { return p.get() == registro; });
}

}  // namespace

bool rangoValido(const RangoLecturas& r) {
    return !r.desde.empty() && !r.hasta.empty() && comparar(r.desde, r.hasta) <= 0;
}

bool enRango(std::string_view nombre, const RangoLecturas& r) {
    return comparar(r.desde, nombre) <= 0 && comparar(nombre, r.hasta) <= 0;
}

std::size_t contarEnRango(const Estacionamiento& s, const RangoLecturas& r) {
    if (!rangoValido(r)) return 0;
    return static_cast<std::size_t>(
        std::count_if(s.lecturas.begin(), s.lecturas.end(), [&](const Lectura& l) { return enRango(l.nombre.vista(), r); }));
}

std::size_t borrarEnRango(Estacionamiento& s, const RangoLecturas& r) {
    if (!rangoValido(r)) return 0;
    const auto antes = s.lecturas.size();
    std::erase_if(s.lecturas, [&](const Lectura& l) { return enRango(l.nombre.vista(), r); });
    return antes - s.lecturas.size();
}

std::size_t copiarEnRango(const Estacionamiento& origen, Estacionamiento& destino, const RangoLecturas& r) {
    if (&origen == &destino || !rangoValido(r)) return 0;
    ListaLecturas elegidas;  // taken before anything is appended
    for (const Lectura& l : origen.lecturas)
        if (enRango(l.nombre.vista(), r)) elegidas.push_back(l);
    destino.lecturas.insert(destino.lecturas.end(), elegidas.begin(), elegidas.end());
    return elegidas.size();
}

std::size_t moverEnRango(Estacionamiento& origen, Estacionamiento& destino, const RangoLecturas& r) {
    const std::size_t n = copiarEnRango(origen, destino, r);
    if (n > 0) borrarEnRango(origen, r);
    return n;
}

Estacionamiento* cambiarEstacion(Estacion& origen, Estacionamiento* s, Estacion& destino) {
    if (&origen == &destino) return nullptr;
    auto it = buscar(origen.estacionamientos, s);
    if (it == origen.estacionamientos.end()) return nullptr;
    std::unique_ptr<Estacionamiento> movido = std::move(*it);
    origen.estacionamientos.erase(it);
    movido->estacion = destino.nombre.vista();
    destino.estacionamientos.push_back(std::move(movido));
    return destino.estacionamientos.back().get();
}

std::optional<std::size_t> unirEstacionamientos(Estacion& estacion, Estacionamiento* s, Estacionamiento& p,
                                                const OpcionesUnir& o) {
    if (s == &p) return std::nullopt;
    auto it = buscar(estacion.estacionamientos, s);
    if (it == estacion.estacionamientos.end()) return std::nullopt;
    const double C = circuloDe(s->datos.unidadAngular);
    const double correccion = o.porLecturas ? o.lecturaFinal - o.lecturaInicial : s->desorientacion - p.desorientacion;
    const double jalon = p.alturaInstrumento - s->alturaInstrumento;
    const std::size_t n = s->lecturas.size();
    for (Lectura l : s->lecturas) {
        if (o.forma != FormaUnir::SinModificar) {
            l.horizontal += correccion;
            if (l.horizontal < 0) l.horizontal += C;
            else if (l.horizontal > C) l.horizontal -= C;
        }
        if (o.forma == FormaUnir::ModificarHyJalon) l.jalon += jalon;
        p.lecturas.push_back(l);
    }
    estacion.estacionamientos.erase(it);
    return n;
}

std::vector<std::string> nombresRepetidos(const Estacionamiento& s) {
    std::unordered_map<std::string_view, std::size_t> veces;
    for (const Lectura& l : s.lecturas) ++veces[l.nombre.vista()];
    std::vector<std::string> nombres;
    for (const Lectura& l : s.lecturas) {
        auto it = veces.find(l.nombre.vista());
        if (it->second > 1) {
            nombres.emplace_back(l.nombre.vista());
            it->second = 0;  // listed once
        }
    }
    return nombres;
}

std::vector<VisualRepetida> visualesDeNombre(const Estacionamiento& s, std::string_view nombre) {
    const std::int32_t C = circuloDe(s.datos.unidadAngular);
    const bool desnivel = s.datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
    std::vector<VisualRepetida> v;
    for (std::size_t k = 0; k < s.lecturas.size(); ++k) {
        const Lectura& l = s.lecturas[k];
        // A damaged reading (not finite or beyond ±1e9) is no sighting to list or average.
        if (l.nombre.vista() != nombre || !lecturaUtilizable(l)) continue;
        v.push_back({k, !desnivel && esCaraDerecha(verticalZenital(l.vertical, s.datos.tipoVertical, C), C)});
    }
    return v;
}

// ---- "CAMBIAR DE ESTACION".

CCambiarEstacion::CCambiarEstacion(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s, Avisos& avisos)
    : estacion_(estacion), s_(s), avisos_(avisos) {
    for (const auto& e : libreta.estaciones)
        if (e.get() != &estacion) destinos_.agregar(e.get(), utf(e->nombre.vista()));
}

std::vector<std::string> CCambiarEstacion::elegir(int i) {
    const Estacion* elegida = destinos_.elegir(i);
    if (!elegida) return {};
    return {"Estacion: " + utf(elegida->nombre.vista()), formatear("X = %1.3lf", elegida->x),
            formatear("Y = %1.3lf", elegida->y), formatear("Z = %1.3lf", elegida->z)};
}

std::optional<std::pair<Estacion*, Estacionamiento*>> CCambiarEstacion::cambiar() {
    Estacion* elegida = destinos_.elegido();
    if (!elegida) return std::nullopt;
    if (!preguntar(avisos_, formatear("El estacionamiento %s y sus %zu lecturas pasarán a la estación %s.\n¿Continuar?",
                                      utf(s_.nombre.vista()).c_str(), s_.lecturas.size(),
                                      utf(elegida->nombre.vista()).c_str())))
        return std::nullopt;
    Estacionamiento* movido = cambiarEstacion(estacion_, &s_, *elegida);
    if (!movido) return std::nullopt;
    return std::pair{elegida, movido};
}

// ---- "FUNDIR-UNIR ESTACIONAMIENTOS".

CUnirEstacionamientos::CUnirEstacionamientos(Estacion& estacion, Estacionamiento& s, Avisos& avisos)
    : estacion_(estacion), s_(s), avisos_(avisos) {
    for (const auto& p : estacion.estacionamientos)
        if (p.get() != &s) destinos_.agregar(p.get(), utf(p->nombre.vista()));
}

std::vector<std::string> CUnirEstacionamientos::textosActual() const {
    return {"Estacion: " + utf(s_.estacion.vista()), formatear("Des = %1.4lf", s_.desorientacion),
            formatear("I = %1.3lf", s_.alturaInstrumento)};
}

std::vector<std::string> CUnirEstacionamientos::elegir(int i) {
    const Estacionamiento* elegido = destinos_.elegir(i);
    if (!elegido) return {};
    return {"Subestación: " + utf(elegido->nombre.vista()), formatear("Des = %1.4lf", elegido->desorientacion),
            formatear("I = %1.3lf", elegido->alturaInstrumento)};
}

Estacionamiento* CUnirEstacionamientos::unir() {
    Estacionamiento* elegido = destinos_.elegido();
    if (!elegido) return nullptr;
    if (!preguntar(avisos_, formatear("Las %zu lecturas de %s pasarán a %s y %s se eliminará.\n¿Continuar?",
                                      s_.lecturas.size(), utf(s_.nombre.vista()).c_str(),
                                      utf(elegido->nombre.vista()).c_str(), utf(s_.nombre.vista()).c_str())))
        return nullptr;
    OpcionesUnir o = opciones;
    o.lecturaInicial = textoANumero(textoInicial);
    o.lecturaFinal = textoANumero(textoFinal);
    return unirEstacionamientos(estacion_, &s_, *elegido, o) ? elegido : nullptr;
}

// ---- "OPCIONES DE LECTURAS".

COpcionesLecturas::COpcionesLecturas(CLibretaCampo& libreta, Estacionamiento& s, Avisos& avisos)
    : s_(s), avisos_(avisos) {
    for (const auto& e : libreta.estaciones)
        for (const auto& d : e->estacionamientos)
            if (d.get() != &s) destinos_.agregar(d.get(), utf(d->nombre.vista()));
}

std::vector<std::string> COpcionesLecturas::elegir(int i) {
    const Estacionamiento* destino = destinos_.elegir(i);
    if (!destino) return {};
    return {"Subestacion:" + utf(destino->nombre.vista()), formatear("Des = %.4lf", destino->desorientacion),
            formatear("I = %.3lf", destino->alturaInstrumento)};
}

std::optional<std::string> COpcionesLecturas::cuantos() const {
    if (!rangoValido(rango)) return std::nullopt;
    return formatear("Cuantos: %zu", contarEnRango(s_, rango));
}

bool COpcionesLecturas::confirmar(const char* formato, std::size_t n) {
    if (n == 0) {
        avisos_.mensaje("No hay lecturas en ese intervalo");
        return false;
    }
    const Estacionamiento* destino = destinos_.elegido();
    return preguntar(avisos_, formatear(formato, n, utf(s_.nombre.vista()).c_str(),
                                        destino ? utf(destino->nombre.vista()).c_str() : ""));
}

template <typename Cambio>
std::size_t COpcionesLecturas::cambiarRango(bool conDestino, const char* pregunta, const char* hecho, Cambio cambio) {
    if ((conDestino && !destinos_.elegido()) || !rangoValido(rango) || !confirmar(pregunta, contarEnRango(s_, rango)))
        return 0;
    const std::size_t n = cambio();
    avisos_.mensaje(hecho);
    return n;
}

std::size_t COpcionesLecturas::borrar() {
    return cambiarRango(false, "Se borrarán %zu lecturas de %s.\n¿Continuar?", kLecturasBorradas,
                        [&] { return borrarEnRango(s_, rango); });
}

std::size_t COpcionesLecturas::mover() {
    return cambiarRango(true, "Se moverán %zu lecturas de %s a %s.\n¿Continuar?", kLecturasCambiadas,
                        [&] { return moverEnRango(s_, *destinos_.elegido(), rango); });
}

std::size_t COpcionesLecturas::copiar() {
    return cambiarRango(true, "Se copiarán %zu lecturas de %s a %s.\n¿Continuar?", kLecturasCopiadas,
                        [&] { return copiarEnRango(s_, *destinos_.elegido(), rango); });
}

// ---- "LISTADO DE VISUALES REPETIDAS".

namespace cr = columna_repetidas;

namespace {

std::vector<ColumnaRejilla> columnasRepetidas(bool marca) {
    std::vector<ColumnaRejilla> c = {{"Marca"},     {"Nombre"},    {"Cara"},   {"Horizontal"},
                                     {"Vertical"},  {"Distancia"}, {"Jalón"},  {"Código"}};
    c[cr::marca].casilla = true;
    c[cr::marca].oculta = !marca;
    c[cr::nombre].editable = c[cr::cara].editable = c[cr::codigo].editable = false;
    return c;
}

std::string textoH(double v) { return formatear("%1.4lf", v); }
std::string textoD(double v) { return formatear("%1.3lf", v); }

// The reading's own value unless the cell was typed over.
double valorCelda(const std::string& texto, double propio, bool angulo) {
    return texto == (angulo ? textoH(propio) : textoD(propio)) ? propio : textoANumero(texto);
}

}  // namespace

std::vector<std::string> celdasVisualRepetida(const Lectura& l, bool caraDerecha) {
    return {utf(l.nombre.vista()), caraDerecha ? "2" : "1", textoH(l.horizontal), textoH(l.vertical),
            textoD(l.distancia), textoD(l.jalon), utf(l.codigo.vista())};
}

CVisualesRepetidas::CVisualesRepetidas(Estacionamiento& s, Avisos& avisos)
    : s_(s), avisos_(avisos), rejilla_(columnasRepetidas(true)), promedio_(columnasRepetidas(false)) {
    recargarNombres();
}

void CVisualesRepetidas::recargarNombres() {
    nombres_.clear();
    for (const std::string& n : nombresRepetidos(s_)) nombres_.push_back(utf(n));
}

void CVisualesRepetidas::elegir(int i) {
    rejilla_.vaciar();
    promedio_.vaciar();
    marcadasPromedio_.clear();
    filas_.clear();
    if (i < 0 || static_cast<std::size_t>(i) >= nombres_.size()) {
        elegido_.clear();
        return;
    }
    elegido_ = utf8ACp1252(nombres_[i]);
    for (const VisualRepetida& v : visualesDeNombre(s_, elegido_)) {
        filas_.push_back(v.indice);
        std::vector<std::string> fila = celdasVisualRepetida(s_.lecturas[v.indice], v.caraDerecha);
        fila.insert(fila.begin(), "0");
        rejilla_.agregarFila(std::move(fila));
    }
}

std::vector<std::size_t> CVisualesRepetidas::marcadas() const {
    std::vector<std::size_t> m;
    for (std::size_t f = 0; f < filas_.size() && f < rejilla_.numeroFilas(); ++f)
        if (rejilla_.marcada(f, cr::marca)) m.push_back(f);
    return m;
}

std::size_t CVisualesRepetidas::borrarMarcadas() {
    const auto m = marcadas();
    if (m.empty() || !preguntar(avisos_, formatear("Se borrarán %zu lecturas de %s.\n¿Continuar?", m.size(),
                                                    utf(elegido_).c_str())))
        return 0;
    quitarFilas(m);
    return m.size();
}

void CVisualesRepetidas::quitarFilas(std::span<const std::size_t> filas) {
    std::vector<bool> quitar(s_.lecturas.size(), false);
    for (std::size_t f : filas) quitar[filas_[f]] = true;
    std::size_t k = 0;
    std::erase_if(s_.lecturas, [&](const Lectura&) { return quitar[k++]; });
    const std::string nombre = utf(elegido_);
    recargarNombres();
    promedio_.vaciar();
    const auto it = std::find(nombres_.begin(), nombres_.end(), nombre);
    elegir(it == nombres_.end() ? -1 : static_cast<int>(it - nombres_.begin()));
}

bool CVisualesRepetidas::promediarMarcadas() {
    const auto m = marcadas();
    promedio_.vaciar();
    if (m.empty()) return false;
    std::vector<ValoresLectura> valores;
    for (std::size_t f : m) {
        const Lectura& l = s_.lecturas[filas_[f]];
        valores.push_back({valorCelda(rejilla_.texto(f, cr::horizontal), l.horizontal, true),
                           valorCelda(rejilla_.texto(f, cr::vertical), l.vertical, true),
                           valorCelda(rejilla_.texto(f, cr::distancia), l.distancia, false),
                           valorCelda(rejilla_.texto(f, cr::jalon), l.jalon, false)});
    }
    const bool desnivel = s_.datos.tipoDistancia == static_cast<std::int32_t>(TipoDistancia::ReducidasDesnivel);
    const ValoresLectura media =
        promediarCaras(valores, circuloDe(s_.datos.unidadAngular), s_.datos.tipoVertical, desnivel);
    promedioValores_ = media;
    marcadasPromedio_ = m;
    promedio_.agregarFila({"", utf(elegido_), "1", textoH(media.horizontal), textoH(media.vertical),
                           textoD(media.distancia), textoD(media.jalon),
                           utf(s_.lecturas[filas_[m.front()]].codigo.vista())});
    return true;
}

std::size_t CVisualesRepetidas::insertarPromedio() {
    // The rows that made the mean, whatever was marked since.
    const auto m = marcadasPromedio_;
    if (promedio_.numeroFilas() == 0 || m.empty()) return 0;
    if (!preguntar(avisos_, formatear("La lectura promediada sustituirá a las %zu lecturas marcadas de %s.\n¿Continuar?",
                                      m.size(), utf(elegido_).c_str())))
        return 0;
    Lectura& primera = s_.lecturas[filas_[m.front()]];
    primera.horizontal = valorCelda(promedio_.texto(0, cr::horizontal), promedioValores_.horizontal, true);
    primera.vertical = valorCelda(promedio_.texto(0, cr::vertical), promedioValores_.vertical, true);
    primera.distancia = valorCelda(promedio_.texto(0, cr::distancia), promedioValores_.distancia, false);
    primera.jalon = valorCelda(promedio_.texto(0, cr::jalon), promedioValores_.jalon, false);
    // The first row keeps the mean.
    quitarFilas(std::span(m).subspan(1));
    return m.size() - 1;
}

// ---- "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO".

FormularioDatosComplementarios FormularioDatosComplementarios::desde(const Estacionamiento& s) {
    const DatosComplementarios& d = s.datos;
    FormularioDatosComplementarios f;
    f.sexagesimal = d.unidadAngular != kCentesimal;
    f.yardas = d.unidadDistancia != 0;
    f.tipoDistancia = d.tipoDistancia;
    f.tipoVertical = d.tipoVertical;
    f.corregidoEsfRefr = d.corregidoEsfRefr == 1;
    f.corregidoTempPres = d.corregidoTempPres == 1;
    f.estacionamiento = utf(s.nombre.vista());
    f.estacion = utf(s.estacion.vista());
    f.instrumento = utf(d.instrumento.vista());
    f.operador = utf(d.operador.vista());
    f.dia = utf(d.dia.vista());
    f.hora = utf(d.hora.vista());
    f.temperatura = formatear("%i", d.temperatura);
    f.presion = formatear("%i", d.presion);
    f.ppm = formatear("%i", d.ppm);
    f.comentarios = utf(d.comentarios.vista());
    return f;
}

void FormularioDatosComplementarios::aplicar(Estacionamiento& s) const {
    DatosComplementarios& d = s.datos;
    d.instrumento = utf8ACp1252(instrumento);
    d.operador = utf8ACp1252(operador);
    d.dia = utf8ACp1252(dia);
    d.hora = utf8ACp1252(hora);
    d.temperatura = textoAEntero(temperatura);
    d.presion = textoAEntero(presion);
    d.ppm = textoAEntero(ppm);
    d.tipoDistancia = tipoDistancia;
    d.tipoVertical = tipoVertical;
    d.unidadAngular = sexagesimal ? kSexagesimal : kCentesimal;
    d.unidadDistancia = yardas ? 1 : 0;
    d.corregidoEsfRefr = corregidoEsfRefr ? 1 : 0;
    d.corregidoTempPres = corregidoTempPres ? 1 : 0;
    d.comentarios = utf8ACp1252(comentarios);
}

}  // namespace celvara
