#include "ui/comun/dialogo_fichero_qt.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <system_error>

#include "fieldbook/ajustes_propios.h"
#include "fieldbook/codificacion.h"

namespace celvara::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The role under which Qt's file dialog keeps each place's URL.
constexpr int kRolUrl = Qt::UserRole + 1;

// Rewrites a list of places (URLs under kRolUrl) with their Windows paths.
void reescribir(QAbstractItemModel* modelo, const MapaRutas& mapa) {
    for (int fila = 0; fila < modelo->rowCount(); ++fila) {
        const QModelIndex i = modelo->index(fila, 0);
        const QUrl url = i.data(kRolUrl).toUrl();
        if (!url.isLocalFile()) continue;
        const QString windows = qs(mapa.aWindows(std::filesystem::path(url.toLocalFile().toStdString())));
        if (i.data(Qt::DisplayRole).toString() != windows) modelo->setData(i, windows, Qt::DisplayRole);
    }
}

// Keeps a list of places in Windows form as the dialog refills it.
void seguir(QAbstractItemModel* modelo, QWidget* vista, const MapaRutas& mapa) {
    if (!modelo) return;
    QPointer<QAbstractItemModel> m(modelo);
    auto pendiente = std::make_shared<bool>(false);
    const auto programar = [m, vista, pendiente, &mapa] {
        if (*pendiente) return;
        *pendiente = true;
        // After the dialog has set every role of the row it changed.
        QTimer::singleShot(0, vista, [m, pendiente, &mapa] {
            *pendiente = false;
            if (m) reescribir(m, mapa);
        });
    };
    QObject::connect(modelo, &QAbstractItemModel::dataChanged, vista, programar);
    QObject::connect(modelo, &QAbstractItemModel::rowsInserted, vista, programar);
    QObject::connect(modelo, &QAbstractItemModel::modelReset, vista, programar);
    reescribir(modelo, mapa);
}

bool existeCarpeta(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
}

}  // namespace

QStringList filtrosQt(std::string_view filtro) {
    const QStringList trozos = qs(filtro).split(u'|');
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < trozos.size(); i += 2) {
        const QString descripcion = trozos[i].trimmed();
        if (descripcion.isEmpty()) break;
        QStringList patrones;
        for (const QString& p : trozos[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString limpio = p.trimmed();
            for (const QString& v : {limpio, limpio.toLower(), limpio.toUpper()})
                if (!patrones.contains(v)) patrones << v;
        }
        filtros << descripcion + QStringLiteral(" (") + patrones.join(u' ') + u')';
    }
    return filtros;
}

void mostrarRutasDelPrograma(QFileDialog& dialogo, const MapaRutas& mapa) {
    if (auto* buscarEn = dialogo.findChild<QComboBox*>(QStringLiteral("lookInCombo"))) {
        seguir(buscarEn->model(), buscarEn, mapa);
        QObject::connect(&dialogo, &QFileDialog::directoryEntered, buscarEn, [buscarEn, &mapa](const QString& carpeta) {
            buscarEn->setToolTip(qs(mapa.aWindows(std::filesystem::path(carpeta.toStdString()))));
        });
    }
    if (auto* lugares = dialogo.findChild<QAbstractItemView*>(QStringLiteral("sidebar")))
        seguir(lugares->model(), lugares, mapa);
}

std::optional<std::string> pedirFicheroQt(QWidget* padre, const MapaRutas& mapa, const PeticionFichero& p,
                                          const std::filesystem::path& rutaIni) {
    QFileDialog dialogo(padre);
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(p.guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(p.guardar ? QFileDialog::AnyFile
                                  : (p.debeExistir ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialogo.setOption(QFileDialog::ReadOnly, false);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, !p.confirmarSobrescribir);
    dialogo.setNameFilters(filtrosQt(p.filtro));
    if (!p.extension.empty()) dialogo.setDefaultSuffix(qs(p.extension));

    AjustesPropios ini;
    const bool recordar = !p.recordar.empty() && !rutaIni.empty() && ini.cargar(rutaIni);
    std::string inicial = p.directorioInicial;
    if (recordar) {
        const std::string recordada = carpetaDialogo(ini, p.recordar, p.directorioInicial);
        if (existeCarpeta(mapa.aAnfitrion(recordada))) inicial = recordada;
    }
    // The drive C: and the book's folder as the places beside the list.
    QList<QUrl> lugares{QUrl::fromLocalFile(QString::fromStdString(mapa.raizC().string()))};
    if (!inicial.empty()) {
        const auto carpeta = mapa.aAnfitrion(inicial);
        dialogo.setDirectory(QString::fromStdString(carpeta.string()));
        lugares << QUrl::fromLocalFile(QString::fromStdString(carpeta.string()));
    }
    if (!p.nombreInicial.empty()) {
        const auto nombre = mapa.aAnfitrion(p.nombreInicial);
        const QFileInfo info(QString::fromStdString(nombre.string()));
        if (info.dir().exists() && inicial.empty()) dialogo.setDirectory(info.dir());
        dialogo.selectFile(info.fileName());
    }
    dialogo.setSidebarUrls(lugares);
    mostrarRutasDelPrograma(dialogo, mapa);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString elegido = dialogo.selectedFiles().constFirst();
    std::string ruta = mapa.aWindows(std::filesystem::path(elegido.toStdString()));
    if (recordar) {
        recordarCarpetaDialogo(ini, p.recordar, p.directorioInicial, ruta);
        ini.guardar(rutaIni);
    }
    return ruta;
}

std::optional<std::string> LugarFicheros::pedir(QWidget* padre, PeticionFichero p) const {
    if (p.directorioInicial.empty()) p.directorioInicial = carpeta;
    return pedirFicheroQt(padre, *mapa, p, ajustesPropios);
}

std::optional<std::filesystem::path> LugarFicheros::pedirEnAnfitrion(QWidget* padre, bool guardar,
                                                                     std::string extension, std::string filtro,
                                                                     std::string recordar) const {
    PeticionFichero p;
    p.guardar = guardar;
    p.extension = std::move(extension);
    p.filtro = std::move(filtro);
    p.debeExistir = !guardar;
    p.recordar = std::move(recordar);
    const auto r = pedir(padre, std::move(p));
    if (!r || r->empty()) return std::nullopt;
    return anfitrion(QString::fromStdString(*r));
}

std::filesystem::path LugarFicheros::anfitrion(const QString& ruta) const {
    std::string texto = ruta.trimmed().toStdString();
    // A bare name goes to the book's folder, not to wherever the program runs.
    const bool absoluta = (texto.size() >= 2 && texto[1] == ':') ||
                          (!texto.empty() && (texto.front() == '\\' || texto.front() == '/'));
    if (!absoluta && !texto.empty() && !carpeta.empty()) texto = conBarraFinal(carpeta) + texto;
    return mapa->aAnfitrion(texto);
}

QString LugarFicheros::aWindows(const std::filesystem::path& anfitrion) const {
    return QString::fromStdString(mapa->aWindows(anfitrion));
}

LugarFicheros lugarFicheros(const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    const std::string dft = cp1252AUtf8(ajustes.rutaFicheroAjustes.vista());
    return {&mapa, cp1252AUtf8(carpetaLibreta(ajustes)),
            dft.empty() ? std::filesystem::path() : rutaAjustesPropios(mapa.aAnfitrion(dft))};
}

}  // namespace celvara::ui
