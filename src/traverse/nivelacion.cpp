#include "traverse/nivelacion.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara {

namespace c = columna_nivelacion;

namespace {

bool enBlanco(std::string_view t) { return t.find_first_not_of(" \t") == std::string_view::npos; }

std::string cuatro(double v) { return formatear("%1.4lf", v); }
std::string dos(double v) { return formatear("%1.2lf", v); }

std::vector<ColumnaRejilla> columnas() {
    const char* titulos[c::numero] = {"Esp. Sup", "Esp. Inf", "Esp. Medio", "Esp. Dist", "Punto",
                                      "Fre. Sup", "Fre. Inf", "Fre. Medio", "Fre. Dist", "Desnivel",
                                      "Suma Desn.", "Cota", "Cota Ajustada"};
    std::vector<ColumnaRejilla> v(c::numero);
    for (std::size_t i = 0; i < c::numero; ++i) {
        v[i].titulo = titulos[i];
        v[i].alineacion = i == c::punto ? AlineacionColumna::Izquierda : AlineacionColumna::Derecha;
        v[i].editable = i < c::suma;
        v[i].longitudMaxima = 32;
    }
    // "Ver Hilo Medio" opens checked, the wires and distances hidden.
    for (auto vista : {VistaNivelacion::HilosSupInf, VistaNivelacion::Distancias})
        for (std::size_t i : columnasDeVista(vista)) v[i].oculta = true;
    return v;
}

// A number cell as a line file keeps it: a decimal point, and the value it
// counts as when the text is not a number.
std::string normalizado(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    if (t.empty()) return {};
    std::string s(t);
    for (char& ch : s)
        if (ch == ',') ch = '.';
    double v = 0;
    const char* inicio = s.data() + (s.front() == '+' ? 1 : 0);
    const auto r = std::from_chars(inicio, s.data() + s.size(), v);
    if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return s;
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, textoANumero(t)).ptr);
}

}  // namespace

std::vector<std::size_t> columnasDeVista(VistaNivelacion vista) {
    switch (vista) {
        case VistaNivelacion::HiloMedio: return {c::medEspalda, c::medFrente};
        case VistaNivelacion::HilosSupInf: return {c::supEspalda, c::infEspalda, c::supFrente, c::infFrente};
        case VistaNivelacion::Distancias: return {c::distEspalda, c::distFrente};
    }
    return {};
}

void CNivelacion::ver(VistaNivelacion vista, bool visible) {
    for (std::size_t i : columnasDeVista(vista)) tabla_.ocultarColumna(i, !visible);
}

double toleranciaK(const AjustesPropios& ajustes) {
    const double k = ajustes.numero(kSeccionNivelacion, kClaveToleranciaK, kToleranciaKPorDefecto);
    return k > 0 ? k : kToleranciaKPorDefecto;
}

void guardarToleranciaK(AjustesPropios& ajustes, double kMm) {
    ajustes.asignarNumero(kSeccionNivelacion, kClaveToleranciaK, kMm);
}

CNivelacion::CNivelacion(ListaEstaciones& estaciones) : estaciones_(estaciones), tabla_(columnas()) {
    tabla_.fijarNumeroFilas(kFilasNivelacion);
    if (!estaciones_.empty()) {
        elegirSalida(0);
        elegirLlegada(0);
    }
    modificada_ = false;
}

double CNivelacion::valor(std::size_t fila, std::size_t columna) const {
    return textoANumero(tabla_.texto(fila, columna));
}

bool CNivelacion::tieneDesnivel(std::size_t fila) const { return !enBlanco(tabla_.texto(fila, c::desnivel)); }

void CNivelacion::quitarAjuste() {
    if (!ajustada_) return;
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f) tabla_.asignar(f, c::cotaAjustada, {});
    ajustada_ = false;
}

// Only with both wires: a typed middle is never replaced by half a wire.
void CNivelacion::derivarMira(std::size_t fila, std::size_t sup, std::size_t inf, std::size_t med,
                              std::size_t dist) {
    if (enBlanco(tabla_.texto(fila, sup)) || enBlanco(tabla_.texto(fila, inf))) return;
    const double s = valor(fila, sup), i = valor(fila, inf);
    tabla_.asignar(fila, med, cuatro((s + i) * 0.5));
    tabla_.asignar(fila, dist, dos((s - i) * 100.0));
}

void CNivelacion::calcularDesnivel(std::size_t fila) {
    const bool ambos = !enBlanco(tabla_.texto(fila, c::medEspalda)) && !enBlanco(tabla_.texto(fila, c::medFrente));
    tabla_.asignar(fila, c::desnivel, ambos ? cuatro(valor(fila, c::medEspalda) - valor(fila, c::medFrente)) : "");
}

// Column 10 carries the sum as printed in the row before; column 11 is the
// start height plus column 10, so every printed column adds up.
void CNivelacion::recalcularDesde(std::size_t fila) {
    double suma = 0;
    for (std::size_t f = fila; f-- > 0;)
        if (tieneDesnivel(f)) {
            suma = valor(f, c::suma);
            break;
        }
    const double salida = textoANumero(textoSalida_);
    for (std::size_t f = fila; f < tabla_.numeroFilas(); ++f) {
        if (!tieneDesnivel(f)) {
            tabla_.asignar(f, c::suma, {});
            tabla_.asignar(f, c::cota, {});
            continue;
        }
        tabla_.asignar(f, c::suma, cuatro(suma + valor(f, c::desnivel)));
        suma = valor(f, c::suma);
        tabla_.asignar(f, c::cota, cuatro(salida + suma));
    }
    quitarAjuste();
}

bool CNivelacion::editar(std::size_t fila, std::size_t columna, std::string_view texto) {
    if (fila >= tabla_.numeroFilas() || columna >= c::numero || !tabla_.columna(columna).editable) return false;
    tabla_.asignar(fila, columna, std::string(texto));
    modificada_ = true;
    switch (columna) {
        case c::supEspalda:
        case c::infEspalda:
            derivarMira(fila, c::supEspalda, c::infEspalda, c::medEspalda, c::distEspalda);
            break;
        case c::supFrente:
        case c::infFrente:
            derivarMira(fila, c::supFrente, c::infFrente, c::medFrente, c::distFrente);
            break;
        case c::medEspalda:
        case c::medFrente:
        case c::desnivel:
            break;
        default:
            // Distances only weigh the adjustment; the name changes nothing.
            if (columna != c::punto) quitarAjuste();
            return true;
    }
    if (columna != c::desnivel) calcularDesnivel(fila);
    recalcularDesde(fila);
    return true;
}

void CNivelacion::insertarFila(std::size_t posicion) {
    if (posicion > tabla_.numeroFilas()) posicion = tabla_.numeroFilas();
    tabla_.insertarFila(posicion, {});
    modificada_ = true;
    recalcularDesde(posicion);
}

void CNivelacion::borrarFila(std::size_t fila) {
    if (fila >= tabla_.numeroFilas()) return;
    tabla_.borrarFila(fila);
    modificada_ = true;
    recalcularDesde(fila);
}

std::vector<std::string> CNivelacion::nombresEstaciones() const {
    std::vector<std::string> v;
    v.reserve(estaciones_.size());
    for (const auto& e : estaciones_) v.push_back(e->nombre.str());
    return v;
}

void CNivelacion::elegirSalida(int indice) {
    if (indice < 0 || static_cast<std::size_t>(indice) >= estaciones_.size()) return;
    salida_ = indice;
    fijarCotaSalida(cuatro(estaciones_[static_cast<std::size_t>(indice)]->z));
}

void CNivelacion::elegirLlegada(int indice) {
    if (indice < 0 || static_cast<std::size_t>(indice) >= estaciones_.size()) return;
    llegada_ = indice;
    const double z = estaciones_[static_cast<std::size_t>(indice)]->z;
    fijarCotaLlegada(cuatro(z));
    llegadaConocida_ = z != 0;
}

void CNivelacion::fijarCotaSalida(std::string_view texto) {
    textoSalida_ = texto;
    recalcularDesde(0);
}

void CNivelacion::fijarCotaLlegada(std::string_view texto) {
    textoLlegada_ = texto;
    llegadaConocida_ = !enBlanco(texto);
    quitarAjuste();
}

std::optional<double> CNivelacion::cotaCalculadaLlegada() const {
    for (std::size_t f = tabla_.numeroFilas(); f-- > 0;)
        if (tieneDesnivel(f)) return valor(f, c::cota);
    return std::nullopt;
}

std::optional<double> CNivelacion::errorCierre() const {
    const auto calculada = cotaCalculadaLlegada();
    if (!llegadaConocida_ || !calculada) return std::nullopt;
    return textoANumero(textoLlegada_) - *calculada;
}

// A wire read upside down gives a negative distance; the line is as long
// whatever its sign.
double CNivelacion::longitudKm() const {
    double metros = 0;
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f)
        if (tieneDesnivel(f)) metros += std::fabs(valor(f, c::distEspalda)) + std::fabs(valor(f, c::distFrente));
    return metros / 1000.0;
}

double CNivelacion::tolerancia(double kMm) const { return kMm * std::sqrt(longitudKm()) / 1000.0; }

bool CNivelacion::recogerCota() {
    const auto f = [&]() -> std::optional<std::size_t> {
        for (std::size_t i = tabla_.numeroFilas(); i-- > 0;)
            if (tieneDesnivel(i)) return i;
        return std::nullopt;
    }();
    if (!f) return false;
    fijarCotaLlegada(tabla_.texto(*f, c::cota));
    llegadaConocida_ = false;
    return true;
}

bool CNivelacion::grabarCota() {
    if (llegada_ < 0 || static_cast<std::size_t>(llegada_) >= estaciones_.size()) return false;
    estaciones_[static_cast<std::size_t>(llegada_)]->z = textoANumero(textoLlegada_);
    return true;
}

bool CNivelacion::ajustar() {
    const auto error = errorCierre();
    if (!error) return false;
    std::vector<std::size_t> filas;
    bool conDistancias = true;
    double total = 0;
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f) {
        if (!tieneDesnivel(f)) continue;
        filas.push_back(f);
        conDistancias = conDistancias && !enBlanco(tabla_.texto(f, c::distEspalda)) &&
                        !enBlanco(tabla_.texto(f, c::distFrente));
        total += std::fabs(valor(f, c::distEspalda)) + std::fabs(valor(f, c::distFrente));
    }
    conDistancias = conDistancias && total > 0;
    if (!conDistancias) total = static_cast<double>(filas.size());
    double recorrido = 0;
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const std::size_t f = filas[i];
        recorrido += conDistancias ? std::fabs(valor(f, c::distEspalda)) + std::fabs(valor(f, c::distFrente)) : 1.0;
        // The last share is exactly one: the adjusted arrival is the known height.
        const double parte = i + 1 == filas.size() ? 1.0 : recorrido / total;
        tabla_.asignar(f, c::cotaAjustada, cuatro(valor(f, c::cota) + *error * parte));
    }
    ajustada_ = true;
    return true;
}

std::vector<LecturasNivelacion> CNivelacion::lecturas() const {
    std::vector<LecturasNivelacion> v;
    constexpr std::size_t esp[3] = {c::supEspalda, c::infEspalda, c::medEspalda};
    constexpr std::size_t fre[3] = {c::supFrente, c::infFrente, c::medFrente};
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f) {
        LecturasNivelacion l;
        l.punto = tabla_.texto(f, c::punto);
        bool vacia = enBlanco(l.punto);
        for (int i = 0; i < 3; ++i) {
            l.espalda[i] = normalizado(tabla_.texto(f, esp[i]));
            l.frente[i] = normalizado(tabla_.texto(f, fre[i]));
            vacia = vacia && l.espalda[i].empty() && l.frente[i].empty();
        }
        if (!vacia) v.push_back(std::move(l));
    }
    return v;
}

void CNivelacion::cargar(const std::vector<LecturasNivelacion>& filas) {
    tabla_.vaciar();
    tabla_.fijarNumeroFilas(std::max(filas.size() + 1, kFilasNivelacion));
    for (std::size_t f = 0; f < filas.size(); ++f) {
        const LecturasNivelacion& l = filas[f];
        tabla_.asignar(f, c::punto, l.punto);
        tabla_.asignar(f, c::supEspalda, l.espalda[0]);
        tabla_.asignar(f, c::infEspalda, l.espalda[1]);
        tabla_.asignar(f, c::medEspalda, l.espalda[2]);
        tabla_.asignar(f, c::supFrente, l.frente[0]);
        tabla_.asignar(f, c::infFrente, l.frente[1]);
        tabla_.asignar(f, c::medFrente, l.frente[2]);
        derivarMira(f, c::supEspalda, c::infEspalda, c::medEspalda, c::distEspalda);
        derivarMira(f, c::supFrente, c::infFrente, c::medFrente, c::distFrente);
        calcularDesnivel(f);
    }
    ajustada_ = false;
    recalcularDesde(0);
    modificada_ = false;
}

void CNivelacion::nuevo() { cargar({}); }

std::vector<std::string> CNivelacion::lineasListado() const {
    std::vector<std::string> v;
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f) {
        if (!tieneDesnivel(f)) continue;
        std::string punto = tabla_.texto(f, c::punto);
        if (enBlanco(punto)) punto = "-";
        std::string l = punto + ' ' + cuatro(valor(f, c::medEspalda)) + ' ' + dos(valor(f, c::distEspalda)) + ' ' +
                        cuatro(valor(f, c::medFrente)) + ' ' + dos(valor(f, c::distFrente)) + ' ' +
                        cuatro(valor(f, c::desnivel)) + ' ' + cuatro(valor(f, c::suma)) + ' ' +
                        cuatro(valor(f, c::cota));
        if (ajustada_) l += ' ' + cuatro(valor(f, c::cotaAjustada));
        v.push_back(std::move(l));
    }
    return v;
}

std::string CNivelacion::informe(double kMm) const {
    const auto nombre = [&](int i) {
        return i >= 0 && static_cast<std::size_t>(i) < estaciones_.size()
                   ? estaciones_[static_cast<std::size_t>(i)]->nombre.str()
                   : std::string();
    };
    std::string s = "NIVELACION\n\n";
    s += "ESTACION de Salida: " + nombre(salida_) + "   Cota Salida: " + cuatro(textoANumero(textoSalida_)) + "\n";
    s += "ESTACION de LLegada: " + nombre(llegada_) + "   Cota LLegada: " + cuatro(textoANumero(textoLlegada_)) +
         "\n\n";
    s += formatear("%-12s %10s %9s %10s %9s %10s %10s %12s", "Punto", "Med.Esp", "Dist.Esp", "Med.Fre", "Dist.Fre",
                   "Desnivel", "Suma", "Cota");
    if (ajustada_) s += formatear(" %12s", "Cota Ajust.");
    s += '\n';
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f) {
        if (!tieneDesnivel(f)) continue;
        s += formatear("%-12s %10.4lf %9.2lf %10.4lf %9.2lf %10.4lf %10.4lf %12.4lf",
                       utf8ACp1252(tabla_.texto(f, c::punto)).c_str(), valor(f, c::medEspalda),
                       valor(f, c::distEspalda), valor(f, c::medFrente), valor(f, c::distFrente),
                       valor(f, c::desnivel), valor(f, c::suma), valor(f, c::cota));
        if (ajustada_) s += formatear(" %12.4lf", valor(f, c::cotaAjustada));
        s += '\n';
    }
    s += '\n';
    if (const auto llegada = cotaCalculadaLlegada()) s += formatear("Cota llegada = %1.4lf\n", *llegada);
    s += formatear("Longitud = %1.3lf km\n", longitudKm());
    const double t = tolerancia(kMm);
    s += formatear("Tolerancia = %1.4lf (k = %g mm)\n", t, kMm);
    if (const auto e = errorCierre()) {
        s += formatear("Error de cierre = %1.4lf\n", *e);
        s += std::fabs(*e) <= t ? "Cierre dentro de tolerancia\n" : "Cierre fuera de tolerancia\n";
    }
    return s + '\n';
}

}  // namespace celvara
