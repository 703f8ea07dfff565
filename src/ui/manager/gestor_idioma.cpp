#include "ui/manager/gestor_idioma.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyledItemDelegate>
#include <QTranslator>
#include <cstring>

namespace celvara::ui {

namespace {

const QLocale kEspanol(QLocale::Spanish, QLocale::Spain);

// Texts of Qt 6 that its Spanish catalogue does not carry yet: the kind of
// an entry in the file dialogs' "Tipo" column.
class TraductorComplementario final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contexto, const char* fuente, const char*, int) const override {
        if (std::strcmp(contexto, "QAbstractFileIconProvider") != 0) return {};
        struct Texto {
            const char* ingles;
            const char* espanol;
        };
        static constexpr Texto kTextos[] = {
            {"Folder", "Carpeta"}, {"File Folder", "Carpeta"}, {"Drive", "Unidad"}, {"File", "Fichero"},
            {"%1 File", "Fichero %1"}};
        for (const auto& t : kTextos)
            if (std::strcmp(fuente, t.ingles) == 0) return QString::fromUtf8(t.espanol);
        return {};
    }
};

// The file dialogs write their "Última modificación" column through the
// system locale, English on an English desktop; it is redrawn in Spanish from
// the file's own date.
class DelegadoFechaEspanol final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        const QString ruta = indice.data(QFileSystemModel::FilePathRole).toString();
        if (ruta.isEmpty()) return;
        const QDateTime fecha = QFileInfo(ruta).lastModified();
        if (fecha.isValid()) opcion->text = kEspanol.toString(fecha, QLocale::ShortFormat);
    }
};

constexpr int kColumnaFecha = 3;  // QFileSystemModel: nombre, tamaño, tipo, fecha

// Gives every file dialog of the program, when first shown, the Spanish
// date column.
class FiltroDialogosFichero final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show)
            if (auto* dialogo = qobject_cast<QFileDialog*>(objeto); dialogo && !dialogo->property(kMarca).toBool()) {
                dialogo->setProperty(kMarca, true);
                for (auto* vista : dialogo->findChildren<QAbstractItemView*>())
                    if (qobject_cast<QFileSystemModel*>(vista->model()) || vista->objectName() == u"treeView")
                        vista->setItemDelegateForColumn(kColumnaFecha, new DelegadoFechaEspanol(vista));
            }
        return QObject::eventFilter(objeto, evento);
    }

private:
    static constexpr const char* kMarca = "celvaraFechasEspanol";
};

}  // namespace

QStringList carpetasCatalogos() {
    const QString programa = QCoreApplication::applicationDirPath();
    QStringList carpetas{QLibraryInfo::path(QLibraryInfo::TranslationsPath), programa + QStringLiteral("/translations"),
                         QDir::cleanPath(programa + QStringLiteral("/../share/qt6/translations"))};
    carpetas.removeDuplicates();
    return carpetas;
}

bool instalarIdiomaEspanol(QApplication& aplicacion) {
    QLocale::setDefault(kEspanol);
    // Installed once, however many times this is called; the last installed
    // translator is asked first, so the catalogue answers before it.
    if (!aplicacion.findChild<TraductorComplementario*>()) {
        QCoreApplication::installTranslator(new TraductorComplementario(&aplicacion));
        aplicacion.installEventFilter(new FiltroDialogosFichero(&aplicacion));
    }
    for (const QString& carpeta : carpetasCatalogos())
        for (const char* catalogo : {"qt", "qtbase"}) {
            auto* traductor = new QTranslator(&aplicacion);
            if (traductor->load(kEspanol, QString::fromLatin1(catalogo), QStringLiteral("_"), carpeta) &&
                QCoreApplication::installTranslator(traductor))
                return true;
            delete traductor;
        }
    return false;
}

QString fechaCompilacion() {
    // __DATE__ is "Mmm dd yyyy" in English whatever the locale.
    const QDate fecha = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    if (!fecha.isValid()) return QString::fromLatin1(__DATE__);
    return kEspanol.toString(fecha, QStringLiteral("d 'de' MMMM 'de' yyyy"));
}

}  // namespace celvara::ui
