// CALCULAR › HERRAMIENTAS › "Editor de Coordenadas": a coordinate file as an
// editable table, a thin view over herramientas/editor_coordenadas.h. Paths
// are shown in the program's Windows form.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "fieldbook/avisos.h"
#include "herramientas/editor_coordenadas.h"
#include "ui/comun/dialogo_fichero_qt.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace celvara::ui {

// The rows of the editor as Qt sees them; a typed cell goes through the
// core, which may refuse it (the reason is shown).
class ModeloEditorCoordenadas : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeloEditorCoordenadas(CEditorCoordenadas& editor, Avisos& avisos, QObject* padre = nullptr)
        : QAbstractTableModel(padre), editor_(editor), avisos_(avisos) {}

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& i, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& i) const override;
    bool setData(const QModelIndex& i, const QVariant& valor, int rol) override;

    void recargar();

signals:
    void editado();

private:
    CEditorCoordenadas& editor_;
    Avisos& avisos_;
};

class DialogoEditorCoordenadas : public QDialog {
    Q_OBJECT
public:
    DialogoEditorCoordenadas(LugarFicheros lugar, Avisos& avisos, QWidget* padre = nullptr);

    // From the menu: asks for a file and edits it; nothing on cancel.
    static void abrir(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                      bool* grabado = nullptr);

    // Replaceable in tests: the file to open (Windows form), nothing on cancel.
    std::function<std::optional<std::string>()> pedirFichero;

    // Reads a file (host path); false, told, when it cannot be read.
    bool abrirFichero(const std::filesystem::path& ruta);
    bool insertar();
    bool borrar();  // the selected rows, after asking
    bool buscar();
    bool deshacer();
    bool rehacer();
    bool grabar();
    // Asks to save a modified file; false when the user cancels.
    bool confirmarCambios();
    void reject() override;  // "Cerrar"

    QTableView* tabla() const { return tabla_; }
    QLineEdit* textoBuscar() const { return buscar_; }
    QLabel* estado() const { return estado_; }
    const CEditorCoordenadas& editor() const { return editor_; }
    bool seHaGrabado() const { return grabado_; }

private:
    void pedirYAbrir();
    void ordenar(int columna);
    void refrescar(bool ordenado = false);
    QString rutaMostrada() const;

    LugarFicheros lugar_;
    Avisos& avisos_;
    CEditorCoordenadas editor_;
    ModeloEditorCoordenadas modelo_;
    QTableView* tabla_;
    QLineEdit* buscar_;
    QLabel* estado_;
    int columnaOrden_ = -1;
    bool ascendente_ = true;
    bool grabado_ = false;
};

}  // namespace celvara::ui
