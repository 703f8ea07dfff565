#include "ui/rejilla/rejilla.h"

#include <algorithm>
#include <climits>

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace celvara::ui {

namespace {

constexpr int kAnchoPorDefecto = 90;

std::string aUtf8(const QString& s) { return s.toUtf8().toStdString(); }
QString deUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Line edits limited to the longest text a column accepts; a list of the
// allowed texts where the column has one.
class DelegadoRejilla : public QStyledItemDelegate {
public:
    explicit DelegadoRejilla(ModeloRejilla* modelo, QObject* padre) : QStyledItemDelegate(padre), modelo_(modelo) {}

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion, const QModelIndex& i) const override {
        const FuenteRejilla* f = modelo_->fuente();
        if (!f || static_cast<std::size_t>(i.column()) >= f->numeroColumnas())
            return QStyledItemDelegate::createEditor(padre, opcion, i);
        const ColumnaRejilla& c = f->columna(static_cast<std::size_t>(i.column()));
        if (!c.opciones.empty()) {
            auto* lista = new QComboBox(padre);
            for (const auto& o : c.opciones) lista->addItem(deUtf8(o));
            return lista;
        }
        auto* edicion = new QLineEdit(padre);
        if (c.longitudMaxima > 0) edicion->setMaxLength(c.longitudMaxima);
        return edicion;
    }
    void setEditorData(QWidget* editor, const QModelIndex& i) const override {
        const QString texto = i.data(Qt::EditRole).toString();
        if (auto* lista = qobject_cast<QComboBox*>(editor)) {
            const int n = lista->findText(texto);
            lista->setCurrentIndex(n >= 0 ? n : 0);
            return;
        }
        if (auto* edicion = qobject_cast<QLineEdit*>(editor)) {
            edicion->setText(texto);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, i);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* m, const QModelIndex& i) const override {
        if (auto* lista = qobject_cast<QComboBox*>(editor)) {
            m->setData(i, lista->currentText(), Qt::EditRole);
            return;
        }
        if (auto* edicion = qobject_cast<QLineEdit*>(editor)) {
            m->setData(i, edicion->text(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, m, i);
    }

private:
    ModeloRejilla* modelo_;
};

}  // namespace

// ---------------------------------------------------------------- model

void ModeloRejilla::fijarFuente(FuenteRejilla* fuente) {
    beginResetModel();
    fuente_ = fuente;
    endResetModel();
}

void ModeloRejilla::recargar() {
    beginResetModel();
    endResetModel();
}

void ModeloRejilla::refrescar() {
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int ModeloRejilla::rowCount(const QModelIndex& padre) const {
    if (padre.isValid() || !fuente_) return 0;
    return static_cast<int>(std::min<std::size_t>(fuente_->numeroFilas(), INT_MAX));
}

int ModeloRejilla::columnCount(const QModelIndex& padre) const {
    if (padre.isValid() || !fuente_) return 0;
    return static_cast<int>(fuente_->numeroColumnas());
}

QVariant ModeloRejilla::data(const QModelIndex& i, int rol) const {
    if (!fuente_ || !i.isValid()) return {};
    const auto fila = static_cast<std::size_t>(i.row());
    const auto col = static_cast<std::size_t>(i.column());
    if (col >= fuente_->numeroColumnas()) return {};
    const ColumnaRejilla& c = fuente_->columna(col);
    switch (rol) {
        case Qt::DisplayRole:
            if (c.casilla) return {};
            [[fallthrough]];
        case Qt::EditRole:
            return deUtf8(fuente_->texto(fila, col));
        case Qt::CheckStateRole:
            if (!c.casilla) return {};
            {
                const std::string t = fuente_->texto(fila, col);
                return !t.empty() && t != "0" ? Qt::Checked : Qt::Unchecked;
            }
        case Qt::TextAlignmentRole:
            switch (c.alineacion) {
                case AlineacionColumna::Derecha: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
                case AlineacionColumna::Centro: return QVariant::fromValue(Qt::AlignCenter);
                default: return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
            }
        default:
            return {};
    }
}

bool ModeloRejilla::setData(const QModelIndex& i, const QVariant& valor, int rol) {
    if (!fuente_ || !i.isValid()) return false;
    const auto fila = static_cast<std::size_t>(i.row());
    const auto col = static_cast<std::size_t>(i.column());
    std::string texto;
    if (rol == Qt::CheckStateRole) {
        texto = valor.toInt() == Qt::Checked ? "1" : "0";
    } else if (rol == Qt::EditRole) {
        texto = aUtf8(CRejilla::textoDeValor(valor));
    } else {
        return false;
    }
    const bool tomado = fuente_->editar(fila, col, texto);
    emit dataChanged(index(i.row(), 0), index(i.row(), columnCount() - 1));
    emit celdaEditada(i.row(), i.column());
    return tomado;
}

Qt::ItemFlags ModeloRejilla::flags(const QModelIndex& i) const {
    if (!fuente_ || !i.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto fila = static_cast<std::size_t>(i.row());
    const auto col = static_cast<std::size_t>(i.column());
    if (fuente_->editable(fila, col)) {
        if (fuente_->columna(col).casilla) f |= Qt::ItemIsUserCheckable;
        else f |= Qt::ItemIsEditable;
    }
    return f;
}

QVariant ModeloRejilla::headerData(int seccion, Qt::Orientation o, int rol) const {
    if (rol != Qt::DisplayRole || !fuente_) return {};
    if (o == Qt::Vertical) return seccion + 1;
    if (seccion < 0 || static_cast<std::size_t>(seccion) >= fuente_->numeroColumnas()) return {};
    return deUtf8(fuente_->columna(static_cast<std::size_t>(seccion)).titulo);
}

// ---------------------------------------------------------------- view

class VistaRejilla : public QTableView {
public:
    VistaRejilla(CRejilla* rejilla, QWidget* padre) : QTableView(padre), rejilla_(rejilla) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (state() != QAbstractItemView::EditingState && rejilla_->insertarBorrar_) {
            if (e->key() == Qt::Key_Insert) {
                rejilla_->teclaInsertar(e->modifiers() & Qt::ShiftModifier);
                return;
            }
            if (e->key() == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
                rejilla_->teclaBorrar();
                return;
            }
        }
        QTableView::keyPressEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        const QModelIndex i = indexAt(e->pos());
        if (i.isValid()) setCurrentIndex(i);
        emit rejilla_->menuContextualPedido(e->globalPos());
    }

private:
    CRejilla* rejilla_;
};

CRejilla::CRejilla(QWidget* padre)
    : QWidget(padre), modelo_(new ModeloRejilla(this)), vista_(new VistaRejilla(this, this)) {
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista_);
    vista_->setModel(modelo_);
    vista_->setItemDelegate(new DelegadoRejilla(modelo_, this));
    vista_->setSelectionBehavior(QAbstractItemView::SelectItems);
    vista_->setSelectionMode(QAbstractItemView::SingleSelection);
    vista_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    vista_->setWordWrap(false);
    vista_->setAlternatingRowColors(false);
    // Fixed row heights: the view never measures rows, whatever their number.
    vista_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vista_->verticalHeader()->setDefaultSectionSize(vista_->fontMetrics().height() + 6);
    vista_->horizontalHeader()->setHighlightSections(false);
    modelo_->fijarFuente(&tabla_);

    connect(modelo_, &ModeloRejilla::celdaEditada, this, &CRejilla::celdaEditada);
    connect(vista_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { emit dobleClicFila(i.row()); });
    connect(vista_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual, const QModelIndex&) {
                if (actual.isValid()) emit filaActualCambiada(actual.row());
            });
    connect(modelo_, &QAbstractItemModel::modelReset, this, [this] {
        // A new selection model is not created by a reset; the current row is gone.
        aplicarColumnas();
    });
}

QTableView* CRejilla::vista() const { return vista_; }

void CRejilla::fijarFuente(FuenteRejilla* fuente) { modelo_->fijarFuente(fuente ? fuente : &tabla_); }

void CRejilla::recargar() { modelo_->recargar(); }

void CRejilla::refrescar() { modelo_->refrescar(); }

void CRejilla::aplicarColumnas() {
    const FuenteRejilla* f = modelo_->fuente();
    if (!f) return;
    for (std::size_t c = 0; c < f->numeroColumnas(); ++c) {
        const ColumnaRejilla& col = f->columna(c);
        const int i = static_cast<int>(c);
        vista_->setColumnHidden(i, col.oculta);
        // Never narrower than its title or the values in view: a cut number reads wrong.
        const int ancho = col.ancho > 0 ? col.ancho : kAnchoPorDefecto;
        if (!col.oculta) vista_->resizeColumnToContents(i);
        vista_->setColumnWidth(i, col.oculta ? ancho : std::max(ancho, vista_->columnWidth(i)));
    }
}

void CRejilla::fijarColumnas(const std::vector<ColumnaRejilla>& columnas) {
    tabla_.fijarColumnas(columnas);
    if (modelo_->fuente() == &tabla_) recargar();
}

void CRejilla::fijarNumeroColumnas(int n) {
    tabla_.fijarNumeroColumnas(static_cast<std::size_t>(std::max(0, n)));
    if (modelo_->fuente() == &tabla_) recargar();
}

int CRejilla::filas() const { return modelo_->rowCount(); }

void CRejilla::fijarFilas(int n) {
    tabla_.fijarNumeroFilas(static_cast<std::size_t>(std::max(0, n)));
    if (modelo_->fuente() == &tabla_) recargar();
}

void CRejilla::vaciar() {
    tabla_.vaciar();
    if (modelo_->fuente() == &tabla_) recargar();
}

QString CRejilla::textoDeValor(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Bool: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Double:
        case QMetaType::Float: return QString::number(v.toDouble(), 'g', 15);
        default: return v.toString();
    }
}

void CRejilla::agregarFila(const QVariantList& valores) {
    std::vector<std::string> fila;
    fila.reserve(static_cast<std::size_t>(valores.size()));
    for (const auto& v : valores) fila.push_back(aUtf8(textoDeValor(v)));
    if (modelo_->fuente() == &tabla_) {
        const int n = filas();
        modelo_->insertarFilas(n, n, [&] { tabla_.agregarFila(std::move(fila)); });
    } else {
        tabla_.agregarFila(std::move(fila));
    }
}

QString CRejilla::textoCelda(int fila, int columna) const {
    const FuenteRejilla* f = modelo_->fuente();
    if (!f || fila < 0 || columna < 0) return {};
    return deUtf8(f->texto(static_cast<std::size_t>(fila), static_cast<std::size_t>(columna)));
}

void CRejilla::fijarValorCelda(int fila, int columna, const QVariant& valor) {
    if (fila < 0 || columna < 0) return;
    if (modelo_->fuente() == &tabla_) {
        if (static_cast<std::size_t>(fila) >= tabla_.numeroFilas() ||
            static_cast<std::size_t>(columna) >= tabla_.numeroColumnas())
            return;
        tabla_.asignar(static_cast<std::size_t>(fila), static_cast<std::size_t>(columna),
                       aUtf8(textoDeValor(valor)));
        const QModelIndex i = modelo_->index(fila, columna);
        emit modelo_->dataChanged(i, i);
    } else if (modelo_->fuente()) {
        modelo_->fuente()->editar(static_cast<std::size_t>(fila), static_cast<std::size_t>(columna),
                                  aUtf8(textoDeValor(valor)));
        refrescar();
    }
}

void CRejilla::ocultarColumna(int columna, bool oculta) {
    if (modelo_->fuente() == &tabla_ && columna >= 0 && static_cast<std::size_t>(columna) < tabla_.numeroColumnas())
        tabla_.ocultarColumna(static_cast<std::size_t>(columna), oculta);
    vista_->setColumnHidden(columna, oculta);
}

void CRejilla::anchoColumna(int columna, int ancho) {
    if (modelo_->fuente() == &tabla_ && columna >= 0 && static_cast<std::size_t>(columna) < tabla_.numeroColumnas())
        tabla_.anchoColumna(static_cast<std::size_t>(columna), ancho);
    vista_->setColumnWidth(columna, ancho);
}

void CRejilla::fijarColorFondo(const QColor& color) {
    QPalette p = vista_->palette();
    p.setColor(QPalette::Base, color);
    vista_->setPalette(p);
}

void CRejilla::fijarSoloLectura(bool soloLectura) {
    soloLectura_ = soloLectura;
    vista_->setEditTriggers(soloLectura ? QAbstractItemView::NoEditTriggers
                                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                              QAbstractItemView::AnyKeyPressed);
}

int CRejilla::filaActual() const {
    const QModelIndex i = vista_->currentIndex();
    return i.isValid() ? i.row() : (filas() > 0 ? 0 : -1);
}

void CRejilla::irAFila(int fila) {
    const int n = filas();
    if (n == 0) return;
    fila = std::clamp(fila, 0, n - 1);
    const int columna = std::max(0, vista_->currentIndex().column());
    const QModelIndex i = modelo_->index(fila, columna);
    vista_->setCurrentIndex(i);
    vista_->scrollTo(i, QAbstractItemView::EnsureVisible);
}

void CRejilla::teclaInsertar(bool alFinal) {
    if (soloLectura_) return;
    emit insertarFilaPedida(alFinal ? filas() : std::max(0, filaActual()));
}

void CRejilla::teclaBorrar() {
    if (soloLectura_ || filas() == 0) return;
    emit borrarFilaPedida(filaActual());
}

}  // namespace celvara::ui
