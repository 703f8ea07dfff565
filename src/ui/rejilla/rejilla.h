// The grid every table of the program uses: a table view over a
// `FuenteRejilla` (rows read in place, by index, so a list of a million
// readings costs nothing to show) or over a text table it owns, filled with
// rows of values by the computation windows. It reports edited cells, insert
// and delete requests (Insert, Shift+Insert to append, Ctrl+Delete), double
// clicks, the current row and right clicks.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <QVariant>
#include <QWidget>

#include "datos/rejilla_texto.h"

namespace celvara::ui {

class ModeloRejilla : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloRejilla(QObject* padre = nullptr) : QAbstractTableModel(padre) {}

    void fijarFuente(FuenteRejilla* fuente);
    FuenteRejilla* fuente() const { return fuente_; }
    void recargar();
    void refrescar();
    // Rows [desde, hasta] appear through `cambio`, which adds them to the source.
    template <typename F>
    void insertarFilas(int desde, int hasta, F&& cambio) {
        beginInsertRows({}, desde, hasta);
        cambio();
        endInsertRows();
    }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

signals:
    void celdaEditada(int fila, int columna);

private:
    FuenteRejilla* fuente_ = nullptr;
};

class VistaRejilla;

class CRejilla : public QWidget {
    Q_OBJECT
public:
    explicit CRejilla(QWidget* padre = nullptr);

    // Shows a table its owner keeps; nullptr goes back to the grid's own table.
    void fijarFuente(FuenteRejilla* fuente);
    // The grid's own table, for windows that fill rows of values.
    RejillaTexto& tabla() { return tabla_; }

    // Rows or columns changed: read everything again.
    void recargar();
    // Values changed: repaint what is visible.
    void refrescar();

    // ---- The operations the windows rely on.
    void fijarColumnas(const std::vector<ColumnaRejilla>& columnas);
    void fijarNumeroColumnas(int n);
    int filas() const;
    void fijarFilas(int n);
    void vaciar();
    void agregarFila(const QVariantList& valores);  // in column order
    QString textoCelda(int fila, int columna) const;
    QVariant valorCelda(int fila, int columna) const { return textoCelda(fila, columna); }
    void fijarValorCelda(int fila, int columna, const QVariant& valor);
    void ocultarColumna(int columna, bool oculta);
    void anchoColumna(int columna, int ancho);
    void fijarColorFondo(const QColor& color);
    void fijarSoloLectura(bool soloLectura);
    void permitirInsertarBorrar(bool permitir) { insertarBorrar_ = permitir; }

    // ---- Current row.
    int filaActual() const;
    // Makes the row current and scrolls it into view (clamped to the table).
    void irAFila(int fila);
    void irAPrimera() { irAFila(0); }
    void irAUltima() { irAFila(filas() - 1); }

    QTableView* vista() const;
    ModeloRejilla* modelo() const { return modelo_; }

    // Text of a value as a cell shows it.
    static QString textoDeValor(const QVariant& valor);

signals:
    void celdaEditada(int fila, int columna);
    void insertarFilaPedida(int fila);
    void borrarFilaPedida(int fila);
    void filaActualCambiada(int fila);
    void dobleClicFila(int fila);
    void menuContextualPedido(const QPoint& global);

private:
    friend class VistaRejilla;
    void aplicarColumnas();
    void teclaInsertar(bool alFinal);
    void teclaBorrar();

    RejillaTexto tabla_;
    ModeloRejilla* modelo_;
    VistaRejilla* vista_;
    bool insertarBorrar_ = false;
    bool soloLectura_ = false;
};

}  // namespace celvara::ui
