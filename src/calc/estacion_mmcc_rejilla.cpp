// The window of the station by least squares: its grid holds the equations
// as text (editable readings and use flags), its edits the approximate
// values; each pass is built from them and its result written back.
#include "calc/estacion_mmcc.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "fieldbook/plataforma.h"

namespace celvara {

namespace ce = columna_ecuacion;

namespace {

std::vector<ColumnaRejilla> columnasEcuaciones() {
    std::vector<ColumnaRejilla> c(ce::numero);
    c[ce::uso].casilla = true;
    c[ce::uso].ancho = 30;
    c[ce::tipo].titulo = "TIPO";
    c[ce::estacion].titulo = "Estación";
    c[ce::visado].titulo = "Visado";
    c[ce::horizontal].titulo = "H -> Azimut";
    c[ce::vertical].titulo = "Vertical";
    c[ce::distancia].titulo = "Distancia G";
    c[ce::dx].titulo = ". dx";
    c[ce::dy].titulo = ". dy";
    c[ce::dE].titulo = ". d E";
    c[ce::residuo].titulo = "Residuo m ó cc";
    for (std::size_t i = ce::tipo; i <= ce::trabajo; ++i) c[i].editable = false;
    for (std::size_t i = ce::horizontal; i <= ce::trabajo; ++i) c[i].alineacion = AlineacionColumna::Derecha;
    c[ce::horizontal].editable = c[ce::vertical].editable = c[ce::distancia].editable = true;
    return c;
}

std::vector<std::string> fila(const EcuacionEstacion& q) {
    const auto l = textosLectura(q);
    return {"1", textoTipo(q.tipo), q.estacion, q.visado, l[0], l[1], l[2], "", "", "", "", "", "-"};
}

}  // namespace

CCalculoEstacionMMCC::CCalculoEstacionMMCC(CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                           const ListaInstrumentos* biblioteca, Avisos& avisos)
    : libreta_(libreta),
      ajustes_(ajustes),
      biblioteca_(biblioteca),
      avisos_(avisos),
      instrumentos_(biblioteca, avisos),
      rejilla_(columnasEcuaciones()) {}

std::vector<std::string> CCalculoEstacionMMCC::nombresEstaciones() const {
    std::vector<std::string> n;
    for (const auto& e : libreta_.estaciones) n.push_back(cp1252AUtf8(e->nombre.vista()));
    return n;
}

bool CCalculoEstacionMMCC::elegirEstacion(std::string_view nombreUtf8) {
    EcuacionesEstacion e = ecuacionesEstacion(libreta_, utf8ACp1252(nombreUtf8));
    rejilla_.vaciar();
    reset();
    textoResumen.clear();
    estacion_ = e.estacion;
    inverso_ = e.inverso;
    omitidas_ = std::move(e.omitidas);
    planimetria_ = std::move(e.planimetria);
    altimetria_ = std::move(e.altimetria);
    if (e.error) {
        avisos_.mensaje(e.error);
        return false;
    }
    for (const EcuacionEstacion& q : planimetria_) rejilla_.agregarFila(fila(q));
    rejilla_.agregarFila({"", kTipoSeparadorZ, "", "", "", "", "", "", "", "", "", "", ""});
    for (const EcuacionEstacion& q : altimetria_) rejilla_.agregarFila(fila(q));
    const AproximadasEstacion a = aproximadasIniciales(e);
    textoX = a.x;
    textoY = a.y;
    textoZ = a.z;
    textoDesorientacion = a.w;
    return true;
}

void CCalculoEstacionMMCC::ponerDesorientacion(double w) { textoDesorientacion = textoDesorientacionAprox(w); }

std::size_t CCalculoEstacionMMCC::filaSeparador() const { return planimetria_.size(); }

bool CCalculoEstacionMMCC::inversaUsada() const {
    for (std::size_t f = 0; f < planimetria_.size(); ++f)
        if (rejilla_.marcada(f, ce::uso) && planimetria_[f].tipo == TipoEcuacion::Inversa) return true;
    return false;
}

void CCalculoEstacionMMCC::reset() {
    iteraciones_ = 0;
    textoIteraciones = "0 Iteraciones";
    resultado_ = {};
}

EntradaEstacionMMCC CCalculoEstacionMMCC::entrada() {
    EntradaEstacionMMCC e;
    e.estacion = estacion_;
    e.planimetria = planimetria_;
    e.altimetria = altimetria_;
    const std::size_t z = filaSeparador();
    auto leer = [this](EcuacionEstacion& q, std::size_t f) {
        q.uso = rejilla_.marcada(f, ce::uso);
        q.horizontal = textoANumero(rejilla_.texto(f, ce::horizontal));
        q.vertical = textoANumero(rejilla_.texto(f, ce::vertical));
        q.distancia = textoANumero(rejilla_.texto(f, ce::distancia));
    };
    for (std::size_t f = 0; f < z; ++f) leer(e.planimetria[f], f);
    for (std::size_t j = 0; j < e.altimetria.size(); ++j) leer(e.altimetria[j], z + 1 + j);
    e.leer(aproximadas());
    e.ajustes = &ajustes_;
    e.hayBiblioteca = biblioteca_ && !biblioteca_->empty();
    e.instrumentos = &instrumentos_;
    return e;
}

void CCalculoEstacionMMCC::mostrar(const ResultadoPasada& r) {
    const std::size_t z = filaSeparador();
    for (std::size_t f = 0; f < z; ++f) rejilla_.asignar(f, ce::residuo, "");
    for (std::size_t i = 0; i < r.filas.size(); ++i) {
        const auto t = textosFilaPlanimetria(r, i);
        const std::size_t f = static_cast<std::size_t>(r.filas[i]);
        for (std::size_t c = 0; c < t.size(); ++c) rejilla_.asignar(f, ce::dx + c, t[c]);
    }
    for (std::size_t j = 0; j < r.zp.size(); ++j) {
        const std::size_t f = z + 1 + j;
        if (!rejilla_.marcada(f, ce::uso)) {
            rejilla_.asignar(f, ce::trabajo, "-");
            continue;
        }
        const auto t = textosFilaAltura(r, j);
        rejilla_.asignar(f, ce::trabajo, t[0]);
        if (r.alturas > 0) rejilla_.asignar(f, ce::residuo, t[1]);
    }
    AproximadasEstacion a = aproximadas();
    anotarPasada(a, r);
    textoX = a.x;
    textoY = a.y;
    textoZ = a.z;
    textoDesorientacion = a.w;
    textoResumen = textoResumenEstacion(r, planimetria_);
}

bool CCalculoEstacionMMCC::calcular() {
    if (!estacion_) return false;
    ResultadoPasada r = calcularEstacionMMCC(entrada(), matrices_);
    if (!r.calculado) {
        if (r.error) avisos_.mensaje(r.error);
        return false;
    }
    mostrar(r);
    resultado_ = std::move(r);
    ++iteraciones_;
    textoIteraciones = formatear("%d Iteraciones", iteraciones_);
    return true;
}

int CCalculoEstacionMMCC::iterar(int maximo) {
    for (int i = 0; i < maximo; ++i) {
        if (!calcular()) return 0;
        if (resultado_.convergido) return i + 1;
    }
    avisos_.mensaje(kMensajeNoConverge);
    return maximo;
}

bool CCalculoEstacionMMCC::grabar() {
    if (!estacion_) return false;
    EntradaEstacionMMCC e;
    e.leer(aproximadas());
    estacion_->x = e.x;
    estacion_->y = e.y;
    estacion_->z = e.z;
    if (inversaUsada() && inverso_) inverso_->desorientacion = e.w;
    return true;
}

InformeEstacionMMCC CCalculoEstacionMMCC::informe() const {
    InformeEstacionMMCC inf;
    inf.nombre = estacion_ ? estacion_->nombre.c_str() : "";
    const std::size_t z = filaSeparador();
    auto num = [this](std::size_t f, std::size_t c) { return textoANumero(rejilla_.texto(f, c)); };
    auto fila = [&](std::size_t f) {
        return FilaInformeEstacion{rejilla_.marcada(f, ce::uso), rejilla_.texto(f, ce::tipo),
                                   rejilla_.texto(f, ce::estacion), rejilla_.texto(f, ce::visado)};
    };
    for (std::size_t f = 0; f < z; ++f) {
        FilaInformeEstacion q = fila(f);
        q.dx = num(f, ce::dx);
        q.dy = num(f, ce::dy);
        q.dE = num(f, ce::dE);
        q.fo = num(f, ce::fo);
        q.residuo = num(f, ce::residuo);
        inf.planimetria.push_back(q);
    }
    for (std::size_t j = 0; j < altimetria_.size(); ++j) {
        const std::size_t f = z + 1 + j;
        FilaInformeEstacion q = fila(f);
        const Estacion* k = altimetria_[j].origen.conocida;
        q.z = k ? k->z : 0.0;
        q.zp = num(f, ce::trabajo);
        q.residuo = num(f, ce::residuo);
        inf.altimetria.push_back(q);
    }
    inf.iteraciones = iteraciones_;
    inf.varianzaApriori =
        ajustes_.calcularConPesos && ajustes_.varianzaReferencia > 0 ? ajustes_.varianzaReferencia : 1.0;
    inf.resultado = resultado_;
    inf.Ninv = matrices_.Ninv;
    inf.omitidas = omitidas_;
    return inf;
}

std::string CCalculoEstacionMMCC::textoInforme() const { return textoInformeEstacionMMCC(informe()); }

bool CCalculoEstacionMMCC::imprimir(const std::filesystem::path& ruta) const {
    return anadirAFichero(ruta, textoInforme());
}

}  // namespace celvara
