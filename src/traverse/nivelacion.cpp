#include "traverse/nivelacion.h"

#include <algorithm>
#include <charconv>

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
                                      "Suma Desn.", "Cota", "Cota Ajustada", "Long. Tramo (m)"};
    std::vector<ColumnaRejilla> v(c::numero);
    for (std::size_t i = 0; i < c::numero; ++i) {
        v[i].titulo = titulos[i];
        v[i].alineacion = i == c::punto ? AlineacionColumna::Izquierda : AlineacionColumna::Derecha;
        v[i].editable = i < c::suma || i == c::longitud;
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

void CNivelacion::quitarAjuste() {
    if (ajustada_) recalcular();
}

// Only with both wires: a typed middle is never replaced by half a wire.
void CNivelacion::derivarMira(std::size_t fila, std::size_t sup, std::size_t inf, std::size_t med,
                              std::size_t dist) {
    if (enBlanco(tabla_.texto(fila, sup)) || enBlanco(tabla_.texto(fila, inf))) return;
    const Mira m = miraDeHilos(valor(fila, sup), valor(fila, inf));
    tabla_.asignar(fila, med, cuatro(m.medio));
    tabla_.asignar(fila, dist, dos(m.distancia));
}

void CNivelacion::calcularDesnivel(std::size_t fila) {
    const bool ambos = !enBlanco(tabla_.texto(fila, c::medEspalda)) && !enBlanco(tabla_.texto(fila, c::medFrente));
    tabla_.asignar(fila, c::desnivel,
                   ambos ? cuatro(desnivelDeMedios(valor(fila, c::medEspalda), valor(fila, c::medFrente))) : "");
}

EntradaNivelacion CNivelacion::entrada(double kMm) const {
    EntradaNivelacion e;
    auto celda = [&](std::size_t f, std::size_t col) -> std::optional<double> {
        if (enBlanco(tabla_.texto(f, col))) return std::nullopt;
        return valor(f, col);
    };
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f)
        e.filas.push_back({tabla_.texto(f, c::punto), celda(f, c::medEspalda), celda(f, c::distEspalda),
                           celda(f, c::medFrente), celda(f, c::distFrente), celda(f, c::desnivel),
                           celda(f, c::longitud)});
    e.cotaSalida = textoANumero(textoSalida_);
    e.cotaLlegada = textoANumero(textoLlegada_);
    e.llegadaConocida = llegadaConocida_;
    e.ajustar = ajustada_;
    e.kMm = kMm;
    return e;
}

ResultadoNivelacion CNivelacion::resultado(double kMm) const { return calcularNivelacion(entrada(kMm)); }

void CNivelacion::recalcular(bool ajustar) {
    EntradaNivelacion e = entrada();
    e.ajustar = ajustar;
    const ResultadoNivelacion r = calcularNivelacion(e);
    for (std::size_t f = 0; f < tabla_.numeroFilas(); ++f)
        for (std::size_t col : {c::suma, c::cota, c::cotaAjustada}) tabla_.asignar(f, col, {});
    for (const TramoNivelacion& t : r.tramos) {
        tabla_.asignar(t.fila, c::suma, cuatro(t.suma));
        tabla_.asignar(t.fila, c::cota, cuatro(t.cota));
        if (t.cotaAjustada) tabla_.asignar(t.fila, c::cotaAjustada, cuatro(*t.cotaAjustada));
    }
    ajustada_ = r.ajustada;
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
    recalcular();
    return true;
}

void CNivelacion::insertarFila(std::size_t posicion) {
    if (posicion > tabla_.numeroFilas()) posicion = tabla_.numeroFilas();
    tabla_.insertarFila(posicion, {});
    modificada_ = true;
    recalcular();
}

void CNivelacion::borrarFila(std::size_t fila) {
    if (fila >= tabla_.numeroFilas()) return;
    tabla_.borrarFila(fila);
    modificada_ = true;
    recalcular();
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
    recalcular();
}

void CNivelacion::fijarCotaLlegada(std::string_view texto) {
    textoLlegada_ = texto;
    llegadaConocida_ = !enBlanco(texto);
    quitarAjuste();
}

bool CNivelacion::recogerCota() {
    const auto calculada = resultado().cotaCalculada;
    if (!calculada) return false;
    fijarCotaLlegada(cuatro(*calculada));
    llegadaConocida_ = false;
    return true;
}

bool CNivelacion::grabarCota() {
    if (llegada_ < 0 || static_cast<std::size_t>(llegada_) >= estaciones_.size()) return false;
    estaciones_[static_cast<std::size_t>(llegada_)]->z = textoANumero(textoLlegada_);
    return true;
}

bool CNivelacion::ajustar() {
    recalcular(true);
    return ajustada_;
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
        l.distancia = normalizado(tabla_.texto(f, c::longitud));
        vacia = vacia && l.distancia.empty();
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
        tabla_.asignar(f, c::longitud, l.distancia);
        derivarMira(f, c::supEspalda, c::infEspalda, c::medEspalda, c::distEspalda);
        derivarMira(f, c::supFrente, c::infFrente, c::medFrente, c::distFrente);
        calcularDesnivel(f);
    }
    recalcular();
    modificada_ = false;
}

void CNivelacion::nuevo() { cargar({}); }

void CNivelacion::importar(const LineaNivelacionGsi& linea) {
    cargar(linea.filas);
    elegirEstaciones(linea.estaciones);
    if (linea.cotaSalida && nombreEstacion(salida_) != utf8ACp1252(linea.estaciones.salida))
        fijarCotaSalida(formatear("%1.4lf", *linea.cotaSalida));
    modificada_ = true;
}

EstacionesLinea CNivelacion::estacionesLinea() const {
    return {cp1252AUtf8(nombreEstacion(salida_)), cp1252AUtf8(nombreEstacion(llegada_))};
}

void CNivelacion::elegirEstaciones(const EstacionesLinea& e) {
    const auto indice = [&](const std::string& utf8) {
        const std::string nombre = utf8ACp1252(utf8);
        for (std::size_t i = 0; i < estaciones_.size(); ++i)
            if (!nombre.empty() && estaciones_[i]->nombre.vista() == nombre) return static_cast<int>(i);
        return -1;
    };
    if (const int i = indice(e.salida); i >= 0) elegirSalida(i);
    if (const int i = indice(e.llegada); i >= 0) elegirLlegada(i);
}

std::string CNivelacion::nombreEstacion(int i) const {
    return i >= 0 && static_cast<std::size_t>(i) < estaciones_.size() ? estaciones_[static_cast<std::size_t>(i)]->nombre.str()
                                                                      : std::string();
}

std::string CNivelacion::informe(double kMm) const {
    return informeNivelacion(resultado(kMm), nombreEstacion(salida_), nombreEstacion(llegada_));
}

}  // namespace celvara
