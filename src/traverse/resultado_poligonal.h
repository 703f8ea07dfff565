// "RESULTADO DEL CALCULO DE LA POLIGONAL": what the result window holds (the
// computed traverse, the rows of the grid of the selected tab as text, the
// summary) and its buttons. The window itself only shows this.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "datos/rejilla_texto.h"
#include "fieldbook/avisos.h"
#include "traverse/calculo_poligonal.h"
#include "traverse/informe_poligonal.h"

namespace celvara {

class CResultadoPoligonal {
public:
    enum Pestana { Angular = 0, Distancias, Coordenadas, Altimetrica, General };

    // The rows and the reference are copied: the window owns its traverse.
    CResultadoPoligonal(FilasPoligonal filas, ReferenciaPoligonal referencia, ConfiguracionPoligonal configuracion,
                        Avisos& avisos, EvaluadorErrores evaluador = {});

    // Opening: computes with the configured method and selects the last tab.
    // False (after the message) when there is nothing to show.
    bool abrir();

    static const std::vector<std::string>& pestanas();
    void elegirPestana(int pestana);
    int pestana() const { return pestana_; }
    // The grid of the selected tab (UTF-8, read-only columns).
    RejillaTexto& rejilla() { return rejilla_; }
    const RejillaTexto& rejilla() const { return rejilla_; }
    std::string resumen() const;

    // "Imprimir...": appends the report to the file.
    bool imprimir(const std::filesystem::path& ruta);
    // "Grabar (x,y,z,des)": asks first when it would replace coordinates
    // the book already has; false when nothing was written.
    bool grabar(CLibretaCampo& libreta);

    const std::optional<ResultadoPoligonal>& resultado() const { return resultado_; }
    const ReferenciaPoligonal& referencia() const { return referencia_; }

private:
    void llenarRejilla();

    FilasPoligonal filas_;
    ReferenciaPoligonal referencia_;
    ConfiguracionPoligonal configuracion_;
    Avisos& avisos_;
    EvaluadorErrores evaluador_;
    std::optional<ResultadoPoligonal> resultado_;
    int pestana_ = General;
    RejillaTexto rejilla_;
};

}  // namespace celvara
