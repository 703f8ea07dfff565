#include "import/lectura_comun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "import/fusion_importacion.h"
#include "import/lector_lineas.h"
#include "import/mensajes_importacion.h"
#include "import/texto_importacion.h"

namespace celvara::importacion {

Estado recorrerLineas(const std::filesystem::path& ruta, const std::function<Paso(std::string& linea)>& tratar,
                      std::size_t* numero) {
    LectorLineas lector;
    if (!lector.abrir(ruta)) return Estado::Fallo;
    std::string linea;
    linea.reserve(LectorLineas::kLongitudMaxima);
    std::size_t n = 0;
    do {
        if (lector.leerLinea(linea) != Estado::Exito) return Estado::Fallo;
        ++n;
        if (numero) *numero = n;
        if (linea.empty()) continue;
        switch (tratar(linea)) {
            case Paso::Seguir: break;
            case Paso::Parar: return Estado::Exito;
            case Paso::Fallo: return Estado::Fallo;
        }
    } while (!lector.fin());
    return Estado::Exito;
}

Estado recorrerLineas(ContextoImportacion& contexto, const std::filesystem::path& ruta,
                      const std::function<Paso(std::string& linea)>& tratar) {
    if (!contexto.progreso) return recorrerLineas(ruta, tratar, &contexto.linea);
    constexpr std::size_t kCadaLineas = 512;
    std::error_code error;
    const double total = static_cast<double>(std::filesystem::file_size(ruta, error));
    double leidos = 0;
    std::size_t lineas = 0;
    return recorrerLineas(ruta, [&](std::string& linea) -> Paso {
        leidos += static_cast<double>(linea.size() + 1);
        if (++lineas % kCadaLineas == 0 && !contexto.progreso(total > 0 ? std::min(1.0, leidos / total) : 0.0)) {
            contexto.cancelado = true;
            return Paso::Fallo;
        }
        return tratar(linea);
    }, &contexto.linea);
}

EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto) {
    auto* e = contexto.listas.crearEstacionamiento();
    if (!e) contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
    return e;
}

EstacionamientoImportado* nuevoEstacionamiento(ContextoImportacion& contexto, std::string_view nombre,
                                               double alturaInstrumento) {
    auto* e = nuevoEstacionamiento(contexto);
    if (!e) return nullptr;
    e->nombre = nombre;
    e->alturaInstrumento = alturaInstrumento;
    e->primera = e->ultima = kSinLecturas;
    return e;
}

LecturaImportada* nuevaLectura(ContextoImportacion& contexto, const ValoresLectura& v) {
    auto* l = contexto.listas.crearLectura();
    if (!l) {
        contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
        return nullptr;
    }
    l->numero = v.numero;
    l->jalon = v.jalon;
    l->distancia = v.distancia;
    l->vertical = v.vertical;
    l->horizontal = v.horizontal;
    l->texto = cortar(v.texto, CListasImportacion::kTextoMaximo);
    l->nombre = cortar(v.nombre, 15);
    return l;
}

bool agruparConsecutiva(ContextoImportacion& contexto, std::int32_t numero) {
    auto* actual = contexto.listas.estacionamientoActual();
    if (!actual) return false;
    // Readings belong to the set-up before them: a gap in the numbers never
    // starts another set-up, only the range is kept up to date.
    if (actual->sinLecturas()) actual->primera = numero == kSinLecturas ? 0 : numero;
    actual->ultima = numero;
    return true;
}

void avisarLineaNoReconocida(ContextoImportacion& contexto, std::string_view linea) {
    contexto.avisos.mensaje(formatear(mensajes::kLineaNoReconocida, cp1252AUtf8(linea).c_str()));
}

std::int32_t numeroDeNombre(ContextoImportacion& contexto, std::string_view nombre) {
    nombre = recortar(nombre);
    if (!nombre.empty() && nombre[0] >= '0' && nombre[0] <= '9') return enteroSinSigno(nombre);
    if (contexto.contador < std::numeric_limits<std::int32_t>::max()) ++contexto.contador;
    return contexto.contador;
}

std::string idPunto(std::string_view texto) {
    texto = recortar(texto);
    std::string_view id = sinCerosIniciales(texto);
    if (id.empty() && !texto.empty()) id = "0";
    return std::string(cortar(id, 15));
}

EstacionamientoImportado* registroEstacion(ContextoImportacion& contexto, std::string_view nombre,
                                           double alturaInstrumento) {
    auto* actual = contexto.listas.estacionamientoActual();
    if (actual && actual->sinLecturas()) {
        actual->nombre = cortar(nombre, 15);
        actual->alturaInstrumento = alturaInstrumento;
        actual->acimutEspalda = "";
        actual->horizontalEspalda = "";
        return actual;
    }
    return nuevoEstacionamiento(contexto, cortar(nombre, 15), alturaInstrumento);
}

LecturaImportada* lecturaDeEstacionamiento(ContextoImportacion& contexto, const ValoresLectura& valores,
                                           std::optional<double> alturaInstrumento) {
    auto* actual = contexto.listas.estacionamientoActual();
    if (!actual) return nullptr;
    if (alturaInstrumento && *alturaInstrumento != actual->alturaInstrumento) {
        if (actual->sinLecturas()) {
            actual->alturaInstrumento = *alturaInstrumento;
        } else {
            const std::string nombre = actual->nombre.str();
            const std::int32_t unidad = actual->unidadAngular;
            actual = nuevoEstacionamiento(contexto, nombre, *alturaInstrumento);
            if (!actual) return nullptr;
            actual->unidadAngular = unidad;
        }
    }
    auto* l = nuevaLectura(contexto, valores);
    if (!l) return nullptr;
    if (actual->sinLecturas()) actual->primera = valores.numero == kSinLecturas ? 0 : valores.numero;
    actual->ultima = valores.numero;
    return l;
}

bool anadirCoordenadas(ContextoImportacion& contexto, std::string_view nombre, double x, double y, double z,
                       std::string_view descripcion) {
    auto* e = contexto.listas.crearEstacion();
    if (!e) {
        contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
        return false;
    }
    e->nombre = cortar(nombre, 15);
    e->x = x;
    e->y = y;
    e->z = z;
    e->descripcion = cortar(descripcion, 99);
    return true;
}

bool anadirCoordenadasSueltas(ContextoImportacion& contexto, std::string_view nombre, double x, double y, double z) {
    auto* c = contexto.listas.crearCoordenadasSueltas();
    if (!c) {
        contexto.avisos.mensaje(mensajes::kSinMemoriaCalculo);
        return false;
    }
    c->nombre = cortar(nombre, 15);
    c->x = x;
    c->y = y;
    c->z = z;
    c->linea = contexto.linea;
    return true;
}

namespace {

// The vertical reading of a level sight, and the sine of the zenith angle a
// reading stands for, as the point reduction takes each vertical kind.
double verticalHorizontal(std::int32_t circulo, TipoVertical tipo) {
    return tipo == TipoVertical::Inclinacion ? 0.0 : circulo / 4.0;
}
double senoCenital(double vertical, std::int32_t circulo, TipoVertical tipo) {
    const double v = vertical * std::numbers::pi / (circulo / 2.0);
    return tipo == TipoVertical::Inclinacion ? std::cos(v) : std::sin(v);
}

}  // namespace

std::optional<TipoDistancia> unificarDistancias(std::span<const DistanciaDeLectura> lecturas, std::int32_t circulo,
                                                TipoVertical tipoVertical) {
    auto hay = [&](DistanciaLeida d) {
        return std::any_of(lecturas.begin(), lecturas.end(), [d](const auto& l) { return l.leida == d; });
    };
    if (!hay(DistanciaLeida::Inclinada))
        return hay(DistanciaLeida::Reducida) ? std::optional(TipoDistancia::ReducidasVertical) : std::nullopt;
    if (circulo <= 0) circulo = kCentesimal;
    for (const auto& l : lecturas) {
        if (l.leida != DistanciaLeida::Reducida) continue;
        if (!l.conVertical) *l.vertical = verticalHorizontal(circulo, tipoVertical);
        // A vertical sight has no slope distance to give: the horizontal one stays.
        const double seno = senoCenital(*l.vertical, circulo, tipoVertical);
        if (std::abs(seno) > 1e-9) *l.distancia /= std::abs(seno);
    }
    return TipoDistancia::Geometricas;
}

void tiposDeDistancia(ContextoImportacion& contexto) {
    auto& registros = contexto.listas.estacionamientos();
    std::vector<std::vector<DistanciaDeLectura>> porRegistro(registros.size());
    for (auto& l : contexto.listas.lecturas())
        if (l.estacionamiento >= 0 && static_cast<std::size_t>(l.estacionamiento) < registros.size())
            porRegistro[static_cast<std::size_t>(l.estacionamiento)].push_back(
                {&l.distancia, &l.vertical, l.distanciaLeida, l.conVertical});
    const DatosComplementarios& defecto = contexto.ajustes.datosPorDefecto;
    const auto vertical = static_cast<TipoVertical>(defecto.tipoVertical);
    for (std::size_t i = 0; i < registros.size(); ++i) {
        const std::int32_t circulo =
            registros[i].unidadAngular != 0 ? registros[i].unidadAngular : defecto.unidadAngular;
        if (const auto tipo = unificarDistancias(porRegistro[i], circulo, vertical))
            registros[i].tipoDistancia = static_cast<std::int32_t>(*tipo);
    }
}

Estacion* EstacionesDirectas::estacion(std::string_view nombre, const std::optional<Coordenadas>& coordenadas) {
    nombre = cortar(nombre, 15);
    Estacion* e = contexto_.libreta.buscarEstacion(nombre);
    if (!e) e = crearEstacion(contexto_.libreta.estaciones, {.nombre = nombre,
                                                            .ficheroFoto = kFotoPorDefecto,
                                                            .ficheroCroquis = kFotoPorDefecto});
    if (!e) {
        contexto_.avisos.mensaje(mensajes::kSinMemoriaCalculo);
        return nullptr;
    }
    // A record repeated with the same values is reported once.
    if (coordenadas && std::none_of(pendientes_.begin(), pendientes_.end(), [&](const auto& p) {
            return p.first == nombre && p.second.x == coordenadas->x && p.second.y == coordenadas->y &&
                   p.second.z == coordenadas->z;
        }))
        pendientes_.emplace_back(std::string(nombre), *coordenadas);
    return e;
}

Estacionamiento* EstacionesDirectas::estacionamiento(Estacion& estacion, double alturaInstrumento,
                                                     double desorientacion, std::int32_t unidad) {
    DatosComplementarios datos = contexto_.ajustes.datosPorDefecto;
    if (unidad != 0) datos.unidadAngular = unidad;
    const int k = static_cast<int>(estacion.estacionamientos.size()) + 1;
    auto* e = crearEstacionamiento(estacion.estacionamientos, nullptr, formatear("%s_(%d)", estacion.nombre.c_str(), k),
                                   estacion.nombre.vista(), alturaInstrumento, &datos, desorientacion);
    if (!e) contexto_.avisos.mensaje(mensajes::kSinMemoriaCalculo);
    return e;
}

void EstacionesDirectas::coordenadasSueltas(std::string_view nombre, const Coordenadas& coordenadas) {
    sueltas_.push_back({std::string(cortar(nombre, 15)), coordenadas, contexto_.linea});
}

void EstacionesDirectas::distanciaLeida(Estacionamiento& estacionamiento, DistanciaLeida leida, bool conVertical) {
    // One entry a set-up, whose marks follow its readings one for one.
    auto d = std::find_if(distancias_.rbegin(), distancias_.rend(),
                          [&](const Distancias& x) { return x.estacionamiento == &estacionamiento; });
    if (d == distancias_.rend()) {
        distancias_.push_back({&estacionamiento, {}});
        d = distancias_.rbegin();
    }
    d->lecturas.emplace_back(leida, conVertical);
}

void EstacionesDirectas::aplicar() {
    std::vector<std::string> diferencias;
    // The reader's stations got no coordinates before this point.
    const auto delLibro = estacionesConCoordenadas(contexto_.libreta);
    for (const auto& [nombre, c] : pendientes_)
        if (Estacion* e = contexto_.libreta.buscarEstacion(nombre))
            coordenadasDelFichero(*e, c, {}, &diferencias, delLibro.count(e) != 0, &contexto_.omitidas);
    pendientes_.clear();
    for (const auto& s : sueltas_)
        coordenadasSueltasDelFichero(contexto_.libreta, s.nombre, s.coordenadas, s.linea, &contexto_.omitidas);
    sueltas_.clear();
    std::vector<DistanciaDeLectura> lecturas;
    for (auto& [e, marcas] : distancias_) {
        lecturas.clear();
        for (std::size_t i = 0; i < marcas.size() && i < e->lecturas.size(); ++i) {
            Lectura& l = e->lecturas[i];
            lecturas.push_back({&l.distancia, &l.vertical, marcas[i].first, marcas[i].second});
        }
        if (const auto tipo =
                unificarDistancias(lecturas, e->datos.unidadAngular, static_cast<TipoVertical>(e->datos.tipoVertical)))
            e->datos.tipoDistancia = static_cast<std::int32_t>(*tipo);
    }
    distancias_.clear();
    if (diferencias.empty()) return;
    std::string texto = mensajes::kCoordenadasDistintas;
    for (const auto& d : diferencias) texto += "\n" + d;
    contexto_.avisos.mensaje(texto);
}

double anguloDeEstacionamiento(Estacionamiento& estacionamiento, bool& fijada, double valor, int circulo) {
    if (circulo == 0) return valor;
    if (!fijada) {
        estacionamiento.datos.unidadAngular = circulo;
        fijada = true;
    }
    return valor * estacionamiento.datos.unidadAngular / circulo;
}

std::vector<std::string_view> separar(std::string_view linea, char separador) {
    std::vector<std::string_view> campos;
    while (true) {
        const std::size_t p = linea.find(separador);
        campos.push_back(linea.substr(0, p));
        if (p == std::string_view::npos) break;
        linea.remove_prefix(p + 1);
    }
    return campos;
}

bool esNumero(std::string_view campo) {
    campo = recortar(campo);
    if (!campo.empty() && (campo[0] == '+' || campo[0] == '-')) campo.remove_prefix(1);
    bool digito = false, punto = false;
    for (char c : campo) {
        if (c >= '0' && c <= '9') {
            digito = true;
        } else if (c == '.' && !punto) {
            punto = true;
        } else {
            return false;
        }
    }
    return digito;
}

double numeroCampo(std::string_view campo) {
    campo = recortar(campo);
    if (!campo.empty() && campo[0] == '+') campo.remove_prefix(1);
    return textoANumero(campo);
}

}  // namespace celvara::importacion
