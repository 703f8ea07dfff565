// The window "MATRICES": a thin view over CMatrices. Its menu shows any
// matrix of an adjustment in the grid and exports the grid as text. Opened
// by the "Matrices" button of the station window.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "calc/matrices_dialogo.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QMenuBar;

namespace celvara::ui {

class CRejilla;

class DialogoMatrices : public QDialog {
    Q_OBJECT
public:
    explicit DialogoMatrices(const CMatricesMMCC& matrices, QWidget* padre = nullptr);

    // The save dialog of "Exportar &Ascii" (host path); tests answer it.
    std::function<std::optional<std::filesystem::path>()> pedirFichero;

    QMenuBar* menu() const { return menu_; }
    CRejilla* rejilla() const { return rejilla_; }

    void mostrar(MatrizMostrada cual);
    bool exportarAscii();

    // "Exportar" starts beside the book (`lugar`), its paths in C:\ form.
    static void abrir(QWidget* padre, const CMatricesMMCC& matrices, const LugarFicheros& lugar);

private:
    CMatrices logica_;
    QMenuBar* menu_ = nullptr;
    CRejilla* rejilla_ = nullptr;
};

}  // namespace celvara::ui
