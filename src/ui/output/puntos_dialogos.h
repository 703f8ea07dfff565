// "Exportar puntos..." and "Importar puntos...": thin views over the
// points' exchange code in output/exportar_puntos.h.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "output/exportar_puntos.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace celvara::ui {

// The column choices both windows share.
class OpcionesColumnasQt;

class DialogoExportarPuntos : public QDialog {
    Q_OBJECT
public:
    // `proyeccion`: the book's, the initial choice for KML; `trabajo`: the
    // job's zone (the initial one) and datum. The columns, separator,
    // decimals, header and format of the last export come back.
    DialogoExportarPuntos(ListaPuntos puntos, Proyeccion proyeccion, LugarFicheros lugar, QWidget* padre = nullptr,
                          ProyeccionTrabajo trabajo = {});

    // Writes the file as the window says; "Aceptar" closes on success and
    // shows the failure otherwise.
    Resultado exportar();
    // After "Aceptar": what was written (UTF-8) and where (host path).
    const std::string& hecho() const { return hecho_; }
    const std::filesystem::path& escrito() const { return escrito_; }

private:
    void aceptar();

    void examinar();

    std::string hecho_;
    std::filesystem::path escrito_;
    ListaPuntos puntos_;
    LugarFicheros lugar_;
    std::string formato_;  // extension the file dialog proposes
    QLineEdit* destino_ = nullptr;
    OpcionesColumnasQt* columnas_ = nullptr;
    QSpinBox* decimales_ = nullptr;
    QComboBox* proyeccion_ = nullptr;
    QSpinBox* huso_ = nullptr;
    Datum datum_ = Datum::Ed50;
};

class DialogoImportarPuntos : public QDialog {
    Q_OBJECT
public:
    // `destino`: the coordinate file proposed, Windows form.
    DialogoImportarPuntos(LugarFicheros lugar, const QString& destino, QWidget* padre = nullptr);

    // Asked with the list of bad lines: true to skip them and import the rest.
    std::function<bool(const QString& lineasErroneas)> preguntar;

    // Reads the file, asks about bad lines, writes the coordinate file.
    Resultado importar();
    QString destino() const;
    // After "Aceptar": what was written (UTF-8).
    const std::string& hecho() const { return hecho_; }

private:
    void aceptar();

    std::string hecho_;
    LugarFicheros lugar_;
    QLineEdit* origen_ = nullptr;
    QLineEdit* destino_ = nullptr;
    OpcionesColumnasQt* columnas_ = nullptr;
    QCheckBox* anadir_ = nullptr;
};

}  // namespace celvara::ui
