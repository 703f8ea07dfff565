#include "herramientas/editor_coordenadas.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <numeric>
#include <unordered_map>

#include "fieldbook/bytes.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace {

namespace crd = imagen::crd;

// Where each item of a point lies in a record of each form.
struct Campos {
    std::size_t nombre, tamNombre, estacion, tamEstacion, codigo, tamCodigo, x, y, z, base, tamano;
};
constexpr Campos kActual{crd::registro::nombre, 15, crd::registro::estacion, 15, crd::registro::codigo, 50,
                         crd::registro::x,      crd::registro::y, crd::registro::z, crd::registro::base,
                         crd::registro::tamano};
constexpr Campos kAntigua{crd::punto::nombre, 15, crd::punto::estacion, 16, crd::punto::codigo, 52,
                          crd::punto::x,      crd::punto::y, crd::punto::z, crd::punto::base, crd::punto::tamano};
const Campos& campos(FormaCrd f) { return f == FormaCrd::Actual ? kActual : kAntigua; }

// A text field: NUL-terminated, its last byte always the end.
std::string_view leerTexto(const unsigned char* p, std::size_t tamano) {
    std::size_t n = 0;
    while (n + 1 < tamano && p[n] != 0) ++n;
    return {reinterpret_cast<const char*>(p), n};
}

std::string_view recortar(std::string_view t) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!t.empty() && blanco(t.front())) t.remove_prefix(1);
    while (!t.empty() && blanco(t.back())) t.remove_suffix(1);
    return t;
}

// The whole text must be one finite number; a decimal comma is a point.
std::optional<double> numeroTecleado(std::string_view texto) {
    std::string t(recortar(texto));
    std::replace(t.begin(), t.end(), ',', '.');
    std::string_view v = t;
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double d = 0;
    const auto [fin, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
    if (v.empty() || ec != std::errc{} || fin != v.data() + v.size() || !std::isfinite(d)) return std::nullopt;
    return d;
}

// Names as surveyors number them: digit runs compare by value.
int compararNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto digito = [](char c) { return c >= '0' && c <= '9'; };
        if (digito(a[i]) && digito(b[j])) {
            std::size_t fi = i, fj = j;
            while (fi < a.size() && a[fi] == '0') ++fi;
            while (fj < b.size() && b[fj] == '0') ++fj;
            std::size_t ei = fi, ej = fj;
            while (ei < a.size() && digito(a[ei])) ++ei;
            while (ej < b.size() && digito(b[ej])) ++ej;
            if (ei - fi != ej - fj) return ei - fi < ej - fj ? -1 : 1;
            if (const int c = a.substr(fi, ei - fi).compare(b.substr(fj, ej - fj)); c != 0) return c;
            i = ei, j = ej;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca != cb) return ca < cb ? -1 : 1;
        ++i, ++j;
    }
    if (i < a.size()) return 1;
    return j < b.size() ? -1 : 0;
}

char minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool contiene(std::string_view nombre, std::string_view buscado) {
    return std::search(nombre.begin(), nombre.end(), buscado.begin(), buscado.end(),
                       [](char a, char b) { return minuscula(a) == minuscula(b); }) != nombre.end();
}

}  // namespace

const char* tituloColumnaEditor(ColumnaEditor c) {
    switch (c) {
        case ColumnaEditor::Nombre: return "Nombre";
        case ColumnaEditor::X: return "X";
        case ColumnaEditor::Y: return "Y";
        case ColumnaEditor::Z: return "Z";
        case ColumnaEditor::Codigo: return "Código";
        case ColumnaEditor::Estacion: return "Estación";
        case ColumnaEditor::Base: return "Base";
    }
    return "";
}

bool CEditorCoordenadas::abrir(const std::filesystem::path& ruta) {
    try {
        std::vector<Bytes> filas;
        FormaCrd forma = FormaCrd::Antigua;
        std::size_t sobrantes = 0;
        auto leerRegistros = [&](LectorFichero& f, std::size_t tamano) {
            Bytes b{};
            for (;;) {
                const std::size_t n = f.leer(b.data(), tamano);
                if (n == tamano) filas.push_back(b);
                else {
                    sobrantes += n;
                    return !f.error();
                }
            }
        };
        bool ok = false;
        {
            LectorFichero f(ruta);
            if (!f.abierto()) {
                error_ = "No se puede abrir el fichero";
                return false;
            }
            unsigned char cabecera[crd::kTamanoCabecera] = {};
            const std::size_t n = f.leer(cabecera, crd::kTamanoMarca);
            if (n == crd::kTamanoMarca && std::memcmp(cabecera, crd::kMarca, crd::kTamanoMarca) == 0) {
                forma = FormaCrd::Actual;
                const std::size_t s = f.leer(cabecera + crd::kTamanoMarca, 4);
                if (s == 4 && bytes::leerU32(cabecera + crd::kTamanoMarca) != crd::kSubversion) {
                    error_ = formatear("Versión de fichero de coordenadas desconocida (%u)",
                                       bytes::leerU32(cabecera + crd::kTamanoMarca));
                    return false;
                }
                sobrantes = s < 4 ? s : 0;
                ok = s < 4 ? !f.error() : leerRegistros(f, kActual.tamano);
            } else if (f.error()) {
                error_ = "Error al leer el fichero";
                return false;
            } else if (n == 0) {
                // An empty file holds nothing of either form: its points are saved in the current one.
                forma = FormaCrd::Actual;
                ok = true;
            }
        }
        if (forma == FormaCrd::Antigua) {
            LectorFichero f(ruta);
            ok = f.abierto() && leerRegistros(f, kAntigua.tamano);
        }
        if (!ok) {
            error_ = "Error al leer el fichero";
            return false;
        }
        ruta_ = ruta;
        forma_ = forma;
        sobrantes_ = sobrantes;
        filas_ = std::move(filas);
        historial_.clear();
        hechos_ = limpio_ = 0;
        error_.clear();
        tocar();
        return true;
    } catch (const std::bad_alloc&) {
        error_ = "No hay memoria para tantos puntos";
        return false;
    }
}

bool CEditorCoordenadas::grabar() {
    const Campos& k = campos(forma_);
    EscritorAtomico f(ruta_);
    bool ok = f.abierto();
    if (ok && forma_ == FormaCrd::Actual) {
        unsigned char cabecera[crd::kTamanoCabecera];
        std::memcpy(cabecera, crd::kMarca, crd::kTamanoMarca);
        bytes::escribirU32(cabecera + crd::kTamanoMarca, crd::kSubversion);
        ok = f.escribir(cabecera, sizeof cabecera);
    }
    for (std::size_t i = 0; ok && i < filas_.size(); ++i) ok = f.escribir(filas_[i].data(), k.tamano);
    if (!(ok && f.confirmar())) {
        error_ = "No se puede grabar el fichero";
        return false;
    }
    limpio_ = hechos_;
    sobrantes_ = 0;
    error_.clear();
    return true;
}

PuntoCoordenadas CEditorCoordenadas::punto(std::size_t fila) const {
    PuntoCoordenadas p;
    if (forma_ == FormaCrd::Actual) {
        RegistroCoordenadas r;
        crd::leerRegistro(filas_.at(fila).data(), r);
        return aPunto(r);
    }
    crd::leerPunto(filas_.at(fila).data(), p);
    return p;
}

bool CEditorCoordenadas::esBase(std::size_t fila) const { return filas_.at(fila)[campos(forma_).base] != 0; }

std::string CEditorCoordenadas::texto(std::size_t fila, ColumnaEditor c) const {
    const Campos& k = campos(forma_);
    const unsigned char* b = filas_.at(fila).data();
    const auto numero = [&](std::size_t en) {
        char t[64];
        const char* fin = escribirFijo(t, t + sizeof t, bytes::leerF64(b + en), 3);
        return fin ? std::string(t, static_cast<std::size_t>(fin - t)) : formatear("%g", bytes::leerF64(b + en));
    };
    switch (c) {
        case ColumnaEditor::Nombre: return std::string(leerTexto(b + k.nombre, k.tamNombre));
        case ColumnaEditor::X: return numero(k.x);
        case ColumnaEditor::Y: return numero(k.y);
        case ColumnaEditor::Z: return numero(k.z);
        case ColumnaEditor::Codigo: return std::string(leerTexto(b + k.codigo, k.tamCodigo));
        case ColumnaEditor::Estacion: return std::string(leerTexto(b + k.estacion, k.tamEstacion));
        case ColumnaEditor::Base: return b[k.base] != 0 ? "1" : "0";
    }
    return {};
}

std::string CEditorCoordenadas::editar(std::size_t fila, ColumnaEditor c, std::string_view texto) {
    if (fila >= filas_.size()) return "No existe esa fila";
    const Campos& k = campos(forma_);
    Bytes nuevo = filas_[fila];
    unsigned char* b = nuevo.data();
    const auto cambiarTexto = [&](std::size_t en, std::size_t tamano, const char* que) -> std::string {
        const std::string_view t = recortar(texto);
        if (t == leerTexto(b + en, tamano)) return {};
        if (t.find('\0') != std::string_view::npos) return std::string(que) + " no admite el carácter nulo";
        if (t.size() > tamano - 1) return formatear("%s admite como máximo %zu caracteres", que, tamano - 1);
        std::memset(b + en, 0, tamano);
        std::memcpy(b + en, t.data(), t.size());
        return {};
    };
    const auto cambiarNumero = [&](std::size_t en) -> std::string {
        if (recortar(texto) == this->texto(fila, c)) return {};
        const auto v = numeroTecleado(texto);
        if (!v)
            return std::string("La ") + tituloColumnaEditor(c) + " \"" + std::string(recortar(texto)) +
                   "\" no es un número";
        if (bytes::leerF64(b + en) != *v) bytes::escribirF64(b + en, *v);
        return {};
    };
    std::string motivo;
    switch (c) {
        case ColumnaEditor::Nombre: motivo = cambiarTexto(k.nombre, k.tamNombre, "El nombre"); break;
        case ColumnaEditor::Codigo: motivo = cambiarTexto(k.codigo, k.tamCodigo, "El código"); break;
        case ColumnaEditor::Estacion: motivo = cambiarTexto(k.estacion, k.tamEstacion, "La estación"); break;
        case ColumnaEditor::X: motivo = cambiarNumero(k.x); break;
        case ColumnaEditor::Y: motivo = cambiarNumero(k.y); break;
        case ColumnaEditor::Z: motivo = cambiarNumero(k.z); break;
        case ColumnaEditor::Base: {
            const std::string_view t = recortar(texto);
            const bool si = t == "1" || t == "S" || t == "s";
            if (!si && !(t == "0" || t == "N" || t == "n" || t.empty())) return "La base es 1 (sí) o 0 (no)";
            if ((b[k.base] != 0) != si) b[k.base] = si ? 1 : 0;
            break;
        }
    }
    if (!motivo.empty()) return motivo;
    if (nuevo != filas_[fila]) hacer(Edicion{fila, filas_[fila], nuevo});
    return {};
}

std::size_t CEditorCoordenadas::insertar(std::size_t fila) {
    fila = std::min(fila, filas_.size());
    Bytes b{};
    // A new point is not a base until the surveyor says so.
    if (forma_ == FormaCrd::Actual) {
        RegistroCoordenadas r;
        r.base = 0;
        crd::escribirRegistro(r, b.data());
    }
    hacer(Insercion{fila, b});
    return fila;
}

bool CEditorCoordenadas::borrar(std::vector<std::size_t> filas) {
    std::sort(filas.begin(), filas.end());
    filas.erase(std::unique(filas.begin(), filas.end()), filas.end());
    while (!filas.empty() && filas.back() >= filas_.size()) filas.pop_back();
    if (filas.empty()) return false;
    Borrado b;
    b.filas.reserve(filas.size());
    for (const std::size_t f : filas) b.filas.emplace_back(f, filas_[f]);
    hacer(std::move(b));
    return true;
}

void CEditorCoordenadas::ordenar(ColumnaEditor c, bool ascendente) {
    const Campos& k = campos(forma_);
    std::vector<std::size_t> origen(filas_.size());
    std::iota(origen.begin(), origen.end(), std::size_t{0});
    // Keys taken out once: a million rows compare without touching the records again.
    const auto numeroMenor = [&](std::size_t en) {
        std::vector<double> clave(filas_.size());
        for (std::size_t f = 0; f < clave.size(); ++f) clave[f] = bytes::leerF64(filas_[f].data() + en);
        // NaN last, so that the order stays strict.
        return [clave = std::move(clave)](std::size_t a, std::size_t b) {
            return !std::isnan(clave[a]) && (std::isnan(clave[b]) || clave[a] < clave[b]);
        };
    };
    const auto textoMenor = [&](std::size_t en, std::size_t tamano) {
        std::vector<std::string_view> clave(filas_.size());
        for (std::size_t f = 0; f < clave.size(); ++f) clave[f] = leerTexto(filas_[f].data() + en, tamano);
        return [clave = std::move(clave)](std::size_t a, std::size_t b) { return compararNatural(clave[a], clave[b]) < 0; };
    };
    // The sort copies its comparison: it gets one that refers to the keys.
    const auto ordenarPor = [&](const auto& menor) {
        if (ascendente) std::stable_sort(origen.begin(), origen.end(), [&](std::size_t a, std::size_t b) { return menor(a, b); });
        else std::stable_sort(origen.begin(), origen.end(), [&](std::size_t a, std::size_t b) { return menor(b, a); });
    };
    switch (c) {
        case ColumnaEditor::Nombre: ordenarPor(textoMenor(k.nombre, k.tamNombre)); break;
        case ColumnaEditor::Codigo: ordenarPor(textoMenor(k.codigo, k.tamCodigo)); break;
        case ColumnaEditor::Estacion: ordenarPor(textoMenor(k.estacion, k.tamEstacion)); break;
        case ColumnaEditor::X: ordenarPor(numeroMenor(k.x)); break;
        case ColumnaEditor::Y: ordenarPor(numeroMenor(k.y)); break;
        case ColumnaEditor::Z: ordenarPor(numeroMenor(k.z)); break;
        case ColumnaEditor::Base:
            ordenarPor([&](std::size_t a, std::size_t b) { return (filas_[a][k.base] != 0) < (filas_[b][k.base] != 0); });
            break;
    }
    if (std::is_sorted(origen.begin(), origen.end())) return;  // already in that order: no step
    hacer(Orden{std::move(origen)});
}

std::optional<std::size_t> CEditorCoordenadas::buscar(std::string_view texto, std::size_t desde) const {
    const Campos& k = campos(forma_);
    const std::size_t n = filas_.size();
    if (n == 0 || texto.empty()) return std::nullopt;
    const std::size_t inicio = desde >= n ? 0 : desde + 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t f = (inicio + i) % n;
        if (contiene(leerTexto(filas_[f].data() + k.nombre, k.tamNombre), texto)) return f;
    }
    return std::nullopt;
}

void CEditorCoordenadas::calcularRepetidos() const {
    const Campos& k = campos(forma_);
    std::unordered_map<std::string_view, std::size_t> cuenta;
    cuenta.reserve(filas_.size());
    for (const Bytes& b : filas_)
        if (const auto nombre = leerTexto(b.data() + k.nombre, k.tamNombre); !nombre.empty()) ++cuenta[nombre];
    repetidos_.assign(filas_.size(), false);
    cuantosRepetidos_ = 0;
    for (std::size_t i = 0; i < filas_.size(); ++i) {
        const auto nombre = leerTexto(filas_[i].data() + k.nombre, k.tamNombre);
        if (!nombre.empty() && cuenta[nombre] > 1) {
            repetidos_[i] = true;
            ++cuantosRepetidos_;
        }
    }
    repetidosAlDia_ = true;
}

bool CEditorCoordenadas::nombreRepetido(std::size_t fila) const {
    if (!repetidosAlDia_) calcularRepetidos();
    return fila < repetidos_.size() && repetidos_[fila];
}

std::size_t CEditorCoordenadas::nombresRepetidos() const {
    if (!repetidosAlDia_) calcularRepetidos();
    return cuantosRepetidos_;
}

void CEditorCoordenadas::hacer(Cambio c) {
    if (limpio_ > hechos_) limpio_ = kSinLimpio;  // the saved state can no longer be reached
    historial_.resize(hechos_);
    historial_.push_back(std::move(c));
    aplicar(historial_.back(), true);
    ++hechos_;
}

bool CEditorCoordenadas::deshacer() {
    if (!puedeDeshacer()) return false;
    aplicar(historial_[--hechos_], false);
    return true;
}

bool CEditorCoordenadas::rehacer() {
    if (!puedeRehacer()) return false;
    aplicar(historial_[hechos_++], true);
    return true;
}

void CEditorCoordenadas::aplicar(const Cambio& c, bool adelante) {
    tocar();
    if (const auto* e = std::get_if<Edicion>(&c)) {
        filas_[e->fila] = adelante ? e->despues : e->antes;
    } else if (const auto* i = std::get_if<Insercion>(&c)) {
        const auto en = filas_.begin() + static_cast<std::ptrdiff_t>(i->fila);
        if (adelante) filas_.insert(en, i->bytes);
        else filas_.erase(en);
    } else if (const auto* b = std::get_if<Borrado>(&c)) {
        // One pass either way, so that deleting most of a large file stays quick.
        std::vector<Bytes> filas;
        filas.reserve(adelante ? filas_.size() - b->filas.size() : filas_.size() + b->filas.size());
        auto fuera = b->filas.begin();
        if (adelante) {
            for (std::size_t f = 0; f < filas_.size(); ++f) {
                if (fuera != b->filas.end() && fuera->first == f) ++fuera;
                else filas.push_back(filas_[f]);
            }
        } else {
            std::size_t resto = 0;
            while (filas.size() < filas_.size() + b->filas.size()) {
                if (fuera != b->filas.end() && fuera->first == filas.size()) filas.push_back((fuera++)->second);
                else filas.push_back(filas_[resto++]);
            }
        }
        filas_ = std::move(filas);
    } else if (const auto* o = std::get_if<Orden>(&c)) {
        std::vector<Bytes> filas(filas_.size());
        for (std::size_t f = 0; f < filas.size(); ++f) {
            if (adelante) filas[f] = filas_[o->origen[f]];
            else filas[o->origen[f]] = filas_[f];
        }
        filas_ = std::move(filas);
    }
}

}  // namespace celvara
