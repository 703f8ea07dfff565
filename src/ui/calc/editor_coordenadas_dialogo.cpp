#include "ui/calc/editor_coordenadas_dialogo.h"

#include <QBrush>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "fieldbook/codificacion.h"
#include "manager/coordenadas_comandos.h"

namespace celvara::ui {

namespace {

constexpr const char* kTitulo = "Editor de Coordenadas";

QString qs(std::string_view cp1252) { return QString::fromStdString(cp1252AUtf8(cp1252)); }
ColumnaEditor columna(int c) { return static_cast<ColumnaEditor>(c); }

}  // namespace

// ---- The model.

int ModeloEditorCoordenadas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(editor_.filas(), INT_MAX));
}

int ModeloEditorCoordenadas::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : kColumnasEditor; }

QVariant ModeloEditorCoordenadas::data(const QModelIndex& i, int rol) const {
    if (!i.isValid()) return {};
    const auto fila = static_cast<std::size_t>(i.row());
    const ColumnaEditor c = columna(i.column());
    switch (rol) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return c == ColumnaEditor::Base ? QVariant() : QVariant(qs(editor_.texto(fila, c)));
        case Qt::CheckStateRole:
            if (c == ColumnaEditor::Base) return editor_.esBase(fila) ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::TextAlignmentRole:
            if (c == ColumnaEditor::X || c == ColumnaEditor::Y || c == ColumnaEditor::Z)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case Qt::BackgroundRole:
            // Two points of one name: which one a computation takes is a guess.
            if (c == ColumnaEditor::Nombre && editor_.nombreRepetido(fila)) return QBrush(QColor(255, 190, 190));
            return {};
        case Qt::ToolTipRole:
            if (c == ColumnaEditor::Nombre && editor_.nombreRepetido(fila)) return QStringLiteral("Nombre repetido");
            return {};
        default: return {};
    }
}

QVariant ModeloEditorCoordenadas::headerData(int seccion, Qt::Orientation o, int rol) const {
    if (rol != Qt::DisplayRole) return {};
    if (o == Qt::Vertical) return seccion + 1;
    return QString::fromUtf8(tituloColumnaEditor(columna(seccion)));
}

Qt::ItemFlags ModeloEditorCoordenadas::flags(const QModelIndex& i) const {
    if (!i.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return columna(i.column()) == ColumnaEditor::Base ? f | Qt::ItemIsUserCheckable : f | Qt::ItemIsEditable;
}

bool ModeloEditorCoordenadas::setData(const QModelIndex& i, const QVariant& valor, int rol) {
    if (!i.isValid()) return false;
    const ColumnaEditor c = columna(i.column());
    std::string texto;
    if (rol == Qt::CheckStateRole && c == ColumnaEditor::Base)
        texto = valor.value<Qt::CheckState>() == Qt::Checked ? "1" : "0";
    else if (rol == Qt::EditRole && c != ColumnaEditor::Base)
        texto = utf8ACp1252(valor.toString().toStdString());
    else
        return false;
    const std::string motivo = editor_.editar(static_cast<std::size_t>(i.row()), c, texto);
    if (!motivo.empty()) {
        avisos_.mensaje(motivo, kTitulo, Botones::Aceptar, Icono::Exclamacion);
        return false;
    }
    // A new name may make or end a repetition anywhere in the file.
    if (c == ColumnaEditor::Nombre) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    else emit dataChanged(i, i);
    emit editado();
    return true;
}

void ModeloEditorCoordenadas::recargar() {
    beginResetModel();
    endResetModel();
}

// ---- The window.

DialogoEditorCoordenadas::DialogoEditorCoordenadas(LugarFicheros lugar, Avisos& avisos, QWidget* padre)
    : QDialog(padre), lugar_(std::move(lugar)), avisos_(avisos), modelo_(editor_, avisos) {
    setWindowTitle(QString::fromUtf8(kTitulo));
    pedirFichero = [this] {
        PeticionFichero p;
        p.extension = kExtensionCrd;
        p.filtro = kFiltroCrd;
        p.debeExistir = true;
        p.recordar = "coordenadas";
        return lugar_.pedir(this, p);
    };
    auto* capa = new QVBoxLayout(this);

    tabla_ = new QTableView;
    tabla_->setObjectName(QStringLiteral("tablaCoordenadas"));
    tabla_->setModel(&modelo_);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    tabla_->setAlternatingRowColors(true);
    // Fixed heights and widths: a file of a million points opens at once.
    QHeaderView* v = tabla_->verticalHeader();
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* h = tabla_->horizontalHeader();
    h->setSectionsClickable(true);
    h->setSectionResizeMode(QHeaderView::Interactive);
    const int caracter = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int anchos[kColumnasEditor] = {16, 14, 14, 10, 26, 16, 6};
    for (int c = 0; c < kColumnasEditor; ++c) tabla_->setColumnWidth(c, anchos[c] * caracter + 12);
    capa->addWidget(tabla_, 1);
    connect(h, &QHeaderView::sectionClicked, this, &DialogoEditorCoordenadas::ordenar);
    connect(&modelo_, &ModeloEditorCoordenadas::editado, this, [this] { refrescar(); });

    auto* filaBuscar = new QHBoxLayout;
    filaBuscar->addWidget(new QLabel(QStringLiteral("Nombre:")));
    buscar_ = new QLineEdit;
    buscar_->setObjectName(QStringLiteral("textoBuscar"));
    filaBuscar->addWidget(buscar_, 1);
    connect(buscar_, &QLineEdit::returnPressed, this, [this] { buscar(); });
    estado_ = new QLabel;
    estado_->setObjectName(QStringLiteral("estado"));
    filaBuscar->addWidget(estado_, 2);
    capa->addLayout(filaBuscar);

    auto* botones = new QHBoxLayout;
    const struct {
        const char* nombre;
        const char* texto;
        std::function<void()> accion;
        QKeySequence atajo;
    } lista[] = {
        {"abrir", "Abrir...", [this] { pedirYAbrir(); }, QKeySequence::Open},
        {"insertar", "Insertar", [this] { insertar(); }, QKeySequence(Qt::Key_Insert)},
        {"borrar", "Borrar", [this] { borrar(); }, QKeySequence::Delete},
        {"buscar", "Buscar", [this] { buscar(); }, QKeySequence::FindNext},
        {"deshacer", "Deshacer", [this] { deshacer(); }, QKeySequence::Undo},
        {"rehacer", "Rehacer", [this] { rehacer(); }, QKeySequence::Redo},
        {"grabar", "Grabar", [this] { grabar(); }, QKeySequence::Save},
        {"cerrar", "Cerrar", [this] { reject(); }, QKeySequence()},
    };
    for (const auto& b : lista) {
        auto* p = new QPushButton(QString::fromUtf8(b.texto));
        p->setObjectName(QString::fromUtf8(b.nombre));
        p->setAutoDefault(false);
        if (!b.atajo.isEmpty()) p->setToolTip(b.atajo.toString(QKeySequence::NativeText));
        botones->addWidget(p);
        connect(p, &QPushButton::clicked, this, b.accion);
        if (!b.atajo.isEmpty()) {
            auto* atajo = new QShortcut(b.atajo, this);
            connect(atajo, &QShortcut::activated, this, b.accion);
        }
    }
    auto* buscarEnTabla = new QShortcut(QKeySequence::Find, this);
    connect(buscarEnTabla, &QShortcut::activated, buscar_, [this] {
        buscar_->setFocus();
        buscar_->selectAll();
    });
    botones->addStretch(1);
    capa->addLayout(botones);
    resize(900, 600);
    refrescar();
}

void DialogoEditorCoordenadas::abrir(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                                     Avisos& avisos, bool* grabado) {
    DialogoEditorCoordenadas d(lugarFicheros(ajustes, mapa), avisos, padre);
    const auto ruta = d.pedirFichero();
    if (!ruta || ruta->empty() || !d.abrirFichero(d.lugar_.anfitrion(QString::fromStdString(*ruta)))) return;
    d.exec();
    if (grabado) *grabado = d.seHaGrabado();
}

QString DialogoEditorCoordenadas::rutaMostrada() const { return lugar_.aWindows(editor_.ruta()); }

bool DialogoEditorCoordenadas::abrirFichero(const std::filesystem::path& ruta) {
    if (!editor_.abrir(ruta)) {
        avisos_.mensaje(editor_.error() + ": " + lugar_.aWindows(ruta).toStdString(), kTitulo, Botones::Aceptar,
                        Icono::Exclamacion);
        return false;
    }
    columnaOrden_ = -1;
    modelo_.recargar();
    refrescar();
    if (editor_.filas() > 0) tabla_->setCurrentIndex(modelo_.index(0, 0));
    if (editor_.bytesSobrantes() > 0)
        avisos_.mensaje(QStringLiteral("%1 tiene %2 bytes al final que no forman un punto: no se grabarán.")
                            .arg(rutaMostrada())
                            .arg(editor_.bytesSobrantes())
                            .toStdString(),
                        kTitulo, Botones::Aceptar, Icono::Informacion);
    return true;
}

void DialogoEditorCoordenadas::pedirYAbrir() {
    if (!confirmarCambios()) return;
    if (const auto ruta = pedirFichero(); ruta && !ruta->empty())
        abrirFichero(lugar_.anfitrion(QString::fromStdString(*ruta)));
}

void DialogoEditorCoordenadas::refrescar(bool ordenado) {
    const bool hay = !editor_.ruta().empty();
    setWindowTitle(hay ? QString::fromUtf8(kTitulo) + QStringLiteral(" - ") + rutaMostrada() : QString::fromUtf8(kTitulo));
    QString t = QStringLiteral("%1 puntos").arg(editor_.filas());
    if (hay) t += editor_.forma() == FormaCrd::Actual ? QStringLiteral("   V5.0") : QStringLiteral("   forma antigua");
    if (const std::size_t r = editor_.nombresRepetidos()) t += QStringLiteral("   %1 con nombre repetido").arg(r);
    if (editor_.modificado()) t += QStringLiteral("   modificado");
    estado_->setText(t);
    for (const char* b : {"insertar", "borrar", "buscar", "grabar"})
        if (auto* p = findChild<QPushButton*>(QString::fromUtf8(b))) p->setEnabled(hay);
    if (auto* p = findChild<QPushButton*>(QStringLiteral("deshacer"))) p->setEnabled(editor_.puedeDeshacer());
    if (auto* p = findChild<QPushButton*>(QStringLiteral("rehacer"))) p->setEnabled(editor_.puedeRehacer());
    QHeaderView* h = tabla_->horizontalHeader();
    if (!ordenado) columnaOrden_ = -1;
    h->setSortIndicatorShown(columnaOrden_ >= 0);
    if (columnaOrden_ >= 0) h->setSortIndicator(columnaOrden_, ascendente_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

bool DialogoEditorCoordenadas::insertar() {
    if (editor_.ruta().empty()) return false;
    const QModelIndex actual = tabla_->currentIndex();
    const std::size_t fila = editor_.insertar(actual.isValid() ? static_cast<std::size_t>(actual.row()) : editor_.filas());
    modelo_.recargar();
    refrescar();
    const QModelIndex i = modelo_.index(static_cast<int>(fila), static_cast<int>(ColumnaEditor::Nombre));
    tabla_->setCurrentIndex(i);
    tabla_->scrollTo(i);
    return true;
}

bool DialogoEditorCoordenadas::borrar() {
    if (editor_.ruta().empty()) return false;
    std::vector<std::size_t> filas;
    for (const QModelIndex& i : tabla_->selectionModel()->selectedRows()) filas.push_back(static_cast<std::size_t>(i.row()));
    if (filas.empty() && tabla_->currentIndex().isValid()) filas.push_back(static_cast<std::size_t>(tabla_->currentIndex().row()));
    if (filas.empty()) return false;
    const QString pregunta = filas.size() == 1 ? QStringLiteral("¿Borrar el punto %1?").arg(qs(editor_.texto(filas[0], ColumnaEditor::Nombre)))
                                               : QStringLiteral("¿Borrar %1 puntos?").arg(filas.size());
    if (avisos_.mensaje(pregunta.toStdString(), kTitulo, Botones::SiNo, Icono::Pregunta) != Respuesta::Si) return false;
    const std::size_t primera = *std::min_element(filas.begin(), filas.end());
    if (!editor_.borrar(std::move(filas))) return false;
    modelo_.recargar();
    refrescar();
    if (editor_.filas() > 0)
        tabla_->setCurrentIndex(modelo_.index(static_cast<int>(std::min(primera, editor_.filas() - 1)), 0));
    return true;
}

bool DialogoEditorCoordenadas::buscar() {
    const std::string texto = utf8ACp1252(buscar_->text().trimmed().toStdString());
    if (texto.empty() || editor_.ruta().empty()) return false;
    const QModelIndex actual = tabla_->currentIndex();
    const auto fila = editor_.buscar(texto, actual.isValid() ? static_cast<std::size_t>(actual.row()) : std::size_t(-1));
    if (!fila) {
        avisos_.mensaje("Ningún punto tiene \"" + buscar_->text().trimmed().toStdString() + "\" en el nombre", kTitulo,
                        Botones::Aceptar, Icono::Informacion);
        return false;
    }
    const QModelIndex i = modelo_.index(static_cast<int>(*fila), static_cast<int>(ColumnaEditor::Nombre));
    tabla_->setCurrentIndex(i);
    tabla_->scrollTo(i, QAbstractItemView::PositionAtCenter);
    return true;
}

void DialogoEditorCoordenadas::ordenar(int columna) {
    if (editor_.ruta().empty() || columna < 0 || columna >= kColumnasEditor) return;
    ascendente_ = columna == columnaOrden_ ? !ascendente_ : true;
    columnaOrden_ = columna;
    editor_.ordenar(static_cast<ColumnaEditor>(columna), ascendente_);
    modelo_.recargar();
    refrescar(true);
}

bool DialogoEditorCoordenadas::deshacer() {
    if (!editor_.deshacer()) return false;
    modelo_.recargar();
    refrescar();
    return true;
}

bool DialogoEditorCoordenadas::rehacer() {
    if (!editor_.rehacer()) return false;
    modelo_.recargar();
    refrescar();
    return true;
}

bool DialogoEditorCoordenadas::grabar() {
    if (editor_.ruta().empty()) return false;
    if (!editor_.grabar()) {
        avisos_.mensaje(editor_.error() + ": " + rutaMostrada().toStdString(), kTitulo, Botones::Aceptar, Icono::Stop);
        return false;
    }
    grabado_ = true;
    refrescar(columnaOrden_ >= 0);
    return true;
}

bool DialogoEditorCoordenadas::confirmarCambios() {
    if (!editor_.modificado()) return true;
    switch (avisos_.mensaje(("¿Grabar los cambios de " + rutaMostrada() + "?").toStdString(), kTitulo,
                            Botones::SiNoCancelar, Icono::Pregunta)) {
        case Respuesta::Si: return grabar();
        case Respuesta::No: return true;
        default: return false;
    }
}

void DialogoEditorCoordenadas::reject() {
    if (confirmarCambios()) QDialog::reject();
}

}  // namespace celvara::ui
