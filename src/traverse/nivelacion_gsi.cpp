#include "traverse/nivelacion_gsi.h"

#include <cmath>
#include <map>

#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "import/palabras_gsi.h"
#include "import/texto_importacion.h"

namespace celvara {

namespace {

namespace p = palabra_nivel;

// The word's index, three digits for the levelling words.
int indiceNivel(const gsi::LineaGsi& l, std::size_t k) {
    const int i = l.indice(k);
    const std::string_view w = l.palabra(k);
    if ((i == 33 || i == 39 || i == 57) && w.size() > 2 && w[2] >= '0' && w[2] <= '9') return i * 10 + (w[2] - '0');
    return i;
}

// Sign and digits only, every data character a digit.
bool numerica(const gsi::LineaGsi& l, std::size_t k) {
    const std::string_view w = l.palabra(k);
    if (w.size() <= gsi::kPosicionDatos || (w[gsi::kPosicionSigno] != '+' && w[gsi::kPosicionSigno] != '-'))
        return false;
    for (char c : l.datos(k))
        if (c < '0' || c > '9') return false;
    return true;
}

std::string lectura(double v) { return formatear("%1.4lf", v); }

struct Media {
    double suma = 0;
    int n = 0;
    void anadir(double v) {
        suma += v;
        ++n;
    }
    double valor() const { return suma / n; }
};

struct Intermedia {
    std::string punto;
    double lectura = 0;
};

// One set-up of the level while it is read.
struct Estacionamiento {
    std::string puntoEspalda, puntoFrente;
    Media espalda, frente, distanciaEspalda, distanciaFrente;
    std::vector<Intermedia> intermedias;
    int linea = 0;
    bool frentePrimero = false;  // alternate set-ups read the fore sight first

    bool empezado() const { return espalda.n > 0 || frente.n > 0 || !intermedias.empty(); }
    bool abierto() const { return espalda.n > 0; }

    // Its rows: one per intermediate sight, then the one to the fore point.
    void filas(std::vector<LecturasNivelacion>& destino) const {
        const bool conDistancias = distanciaEspalda.n > 0 && distanciaFrente.n > 0;
        std::string anterior = lectura(espalda.valor());
        auto fila = [&](const std::string& punto, const std::string& lecturaFrente, std::string distancia) {
            LecturasNivelacion l;
            l.punto = punto;
            l.espalda[2] = anterior;
            l.frente[2] = lecturaFrente;
            l.distancia = std::move(distancia);
            l.linea = linea;
            destino.push_back(std::move(l));
            anterior = lecturaFrente;
        };
        for (const Intermedia& i : intermedias) fila(i.punto, lectura(i.lectura), conDistancias ? "0" : "");
        if (frente.n > 0)
            fila(puntoFrente, lectura(frente.valor()),
                 conDistancias ? formatear("%1.2lf", distanciaEspalda.valor() + distanciaFrente.valor()) : "");
    }
};

std::string enLinea(int n, const std::string& texto) { return "Línea " + std::to_string(n) + ": " + texto; }

// The next line of the text, without its end; lines end in CR LF, LF or,
// from older instruments, CR alone.
std::string_view siguienteLinea(std::string_view& contenido) {
    const std::size_t fin = contenido.find_first_of("\r\n");
    const std::string_view texto = contenido.substr(0, fin);
    std::size_t siguiente = fin == std::string_view::npos ? contenido.size() : fin + 1;
    if (fin != std::string_view::npos && contenido[fin] == '\r' && siguiente < contenido.size() &&
        contenido[siguiente] == '\n')
        ++siguiente;
    contenido.remove_prefix(siguiente);
    return texto;
}

// What one GSI block says to the level: a staff reading of some kind, or a
// recorded height.
struct LecturaGsi {
    std::string punto;
    std::optional<double> distancia, cota, valor;
    int tipo = 0;  // the word of the reading

    bool espalda() const { return tipo == p::espalda1 || tipo == p::espalda2; }
    bool frente() const { return tipo == p::frente1 || tipo == p::frente2; }
};

// Reads one non-blank line; nothing with `mensaje` set when it is not a
// whole GSI block, nothing with it empty for code and information blocks.
std::optional<LecturaGsi> leerBloque(std::string_view texto, int numero, std::string& mensaje) {
    std::size_t ancho = gsi::kAnchoGsi8;
    if (texto.front() == '*') {
        texto.remove_prefix(1);
        ancho = gsi::kAnchoGsi16;
    } else {
        ancho = gsi::anchoDetectado(texto);
    }
    const gsi::LineaGsi l(texto, ancho);
    if (!l.formaValida()) {
        mensaje = enLinea(numero, "no es un bloque GSI");
        return std::nullopt;
    }
    // Every word whole: the last one may lack its blank, nothing more.
    if ((texto.size() + 1) % ancho != 0) {
        mensaje = enLinea(numero, "bloque GSI incompleto (fichero cortado)");
        return std::nullopt;
    }
    if (const int i = l.indice(0); i >= 41 && i <= 49) return std::nullopt;  // code and information blocks

    LecturaGsi b;
    for (std::size_t k = 0; k < l.palabras(); ++k) {
        const int i = indiceNivel(l, k);
        if (i == p::punto) {
            b.punto = std::string(importacion::hastaBlanco(importacion::sinCerosIniciales(l.datos(k))));
            if (b.punto.empty()) b.punto = "0";
            b.punto = cp1252AUtf8(b.punto);
            continue;
        }
        if (i != p::distancia && i != p::cota && i != p::espalda1 && i != p::espalda2 && i != p::frente1 &&
            i != p::frente2 && i != p::intermedia)
            continue;
        if (!numerica(l, k)) {
            mensaje = enLinea(numero, "la palabra " + std::to_string(i) + " no es un número");
            return std::nullopt;
        }
        const double v = l.distancia(k);  // metres by the word's unit digit
        if (i == p::distancia) b.distancia = v;
        else if (i == p::cota) b.cota = v;
        else {
            b.tipo = i;
            b.valor = v;
        }
    }
    return b;
}

// Whether a reading starts the next set-up: it is on another point than the
// set-up's own of its kind, or, in a set-up read back sight first, a back
// reading follows as many fore readings as back ones.
bool abreOtroEstacionamiento(const Estacionamiento& actual, const LecturaGsi& b) {
    if (actual.espalda.n == 0 || actual.frente.n == 0) return false;
    if (b.espalda())
        return b.punto != actual.puntoEspalda || (!actual.frentePrimero && actual.espalda.n >= actual.frente.n);
    return b.tipo != p::intermedia && b.punto != actual.puntoFrente;
}

void anadirLectura(Estacionamiento& actual, const LecturaGsi& b, int numero, LineaNivelacionGsi& resultado) {
    if (!actual.empezado()) {
        actual.linea = numero;
        actual.frentePrimero = b.frente();
    }
    if (b.espalda()) {
        if (actual.espalda.n == 0) {
            actual.puntoEspalda = b.punto;
            if (resultado.filas.empty()) resultado.estaciones.salida = b.punto;  // the line's first set-up
        }
        actual.espalda.anadir(*b.valor);
        if (b.distancia) actual.distanciaEspalda.anadir(*b.distancia);
    } else if (b.tipo == p::intermedia) {
        actual.intermedias.push_back({b.punto, *b.valor});
    } else {
        actual.puntoFrente = b.punto;
        actual.frente.anadir(*b.valor);
        if (b.distancia) actual.distanciaFrente.anadir(*b.distancia);
    }
}

}  // namespace

bool leerTextoNivelacionGsi(std::string_view contenido, LineaNivelacionGsi& resultado, std::string& mensaje) {
    resultado = {};
    std::map<std::string, double> cotas;  // heights recorded on lines without a staff reading
    Estacionamiento actual;
    int numero = 0;
    // The set-up's rows; one without a back reading has none to give.
    auto cerrar = [&] {
        if (actual.empezado() && !actual.abierto()) {
            mensaje = enLinea(actual.linea, "lectura de frente o intermedia sin lectura de espalda");
            return false;
        }
        if (actual.abierto()) actual.filas(resultado.filas);
        actual = {};
        return true;
    };

    while (!contenido.empty()) {
        std::string_view texto = siguienteLinea(contenido);
        ++numero;
        while (!texto.empty() && texto.back() == ' ') texto.remove_suffix(1);
        if (texto.empty()) continue;
        std::string error;
        const auto bloque = leerBloque(texto, numero, error);
        if (!bloque) {
            if (error.empty()) continue;
            mensaje = std::move(error);
            return false;
        }
        if (!bloque->valor) {
            if (bloque->cota && !bloque->punto.empty()) cotas[bloque->punto] = *bloque->cota;
            continue;
        }
        if (abreOtroEstacionamiento(actual, *bloque) && !cerrar()) return false;
        anadirLectura(actual, *bloque, numero, resultado);
    }
    if (actual.abierto() && actual.frente.n == 0 && actual.intermedias.empty()) {
        mensaje = enLinea(actual.linea, "la línea termina sin lectura de frente (fichero cortado)");
        return false;
    }
    if (!cerrar()) return false;
    if (resultado.filas.empty()) {
        mensaje = "El fichero no tiene lecturas de nivelación (palabras 331, 332, 333)";
        return false;
    }
    resultado.estaciones.llegada = resultado.filas.back().punto;
    if (const auto c = cotas.find(resultado.estaciones.salida); c != cotas.end()) resultado.cotaSalida = c->second;
    return true;
}

bool leerFicheroNivelacionGsi(const std::filesystem::path& ruta, LineaNivelacionGsi& linea, std::string& mensaje) {
    std::vector<unsigned char> datos;
    if (!leerFicheroCompleto(ruta, datos)) {
        mensaje = "No se puede abrir el fichero " + ruta.string();
        return false;
    }
    return leerTextoNivelacionGsi(std::string_view(reinterpret_cast<const char*>(datos.data()), datos.size()), linea,
                                  mensaje);
}

}  // namespace celvara
