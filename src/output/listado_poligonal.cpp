#include "output/listado_poligonal.h"

#include <algorithm>

namespace celvara {

namespace {

// A face-right value: printed only when its "Regla Bessel" box is set.
std::string inversa(bool bessel, const char* formato, double v) {
    return bessel ? formatearC(formato, v) : std::string("------");
}

std::string celdasVisual(const VisualPoligonal& v, const ReferenciaPoligonal& ref) {
    return formatearC("%1.4lf | %s | %1.4lf | %s | %1.3lf | %s | %1.3lf", v.hCd,
                      inversa(ref.besselH, "%1.4lf", v.hCi).c_str(), v.vCd,
                      inversa(ref.besselV, "%1.4lf", v.vCi).c_str(), v.dCd,
                      inversa(ref.besselD, "%1.3lf", v.dCi).c_str(), v.jalon);
}

}  // namespace

std::vector<Pagina> paginasEstadilloPoligonal(const FilasPoligonal& filas, const ReferenciaPoligonal& ref,
                                              const EntornoListado& entorno) {
    const std::size_t porPagina = kEstacionesEstadilloPoligonal;
    const std::size_t n = std::max<std::size_t>(1, (filas.size() + porPagina - 1) / porPagina);
    const Rectangulo marco = marcoListado();
    std::vector<Pagina> paginas;
    for (std::size_t p = 0; p < n; ++p) {
        Pagina pagina;
        cabeceraListado(pagina, entorno);
        pagina.marcos.push_back(marco);
        TextoPagina titulo = textoPagina(marco.izquierda, 1578, 12, true, kTituloEstadilloPoligonal);
        titulo.ancho = marco.derecha - marco.izquierda;
        titulo.alineacion = Alineacion::Centro;
        pagina.textos.push_back(std::move(titulo));
        pagina.textos.push_back(textoPagina(788, 2000, 10, false,
                                      formatearC("ESTACION DE PARTIDA: %s", textoCelda(ref.partida.vista()).c_str())));
        if (ref.tipoPoligonal() == TipoPoligonal::Encuadrada)
            pagina.textos.push_back(textoPagina(5400, 2000, 10, false, formatearC("ESTACION DE LLEGADA: %s",
                                                                            textoCelda(ref.llegada.vista()).c_str())));
        std::string tabla = "ESTACION|Inst|VISADO|H(cd)|H(ci)|V(cd)|V(ci)|Dist(cd)|Dist(ci)|Jal\xF3n;";
        for (std::size_t k = p * porPagina; k < std::min(filas.size(), (p + 1) * porPagina); ++k) {
            const EstacionPoligonal& f = filas[k];
            tabla += formatearC("%s | %1.3lf | %s | ", textoCelda(f.estacion.vista()).c_str(), f.alturaInstrumento,
                                textoCelda(f.visadoAtras.vista()).c_str()) +
                     celdasVisual(f.atras, ref) + ";";
            tabla += formatearC(" | | %s | ", textoCelda(f.visadoAdelante.vista()).c_str()) +
                     celdasVisual(f.adelante, ref) + ";";
        }
        TablaPagina t;
        t.x = 600;
        t.y = 2500;
        t.puntos = 8;
        t.altoFila = 8 * kTwipsPorPunto * 3 / 2;
        // 9200 twips: inside the frame, 421 to 10043.
        t.anchos = "1200|700|1200|900|900|900|900|900|900|700";
        t.texto = std::move(tabla);
        pagina.tablas.push_back(std::move(t));
        paginas.push_back(std::move(pagina));
    }
    return paginas;
}

}  // namespace celvara
