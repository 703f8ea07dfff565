#include "ui/comun/dialogo_fichero_qt.h"

#include <QFileDialog>
#include <QFileInfo>

namespace celvara::ui {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
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

std::optional<std::string> pedirFicheroQt(QWidget* padre, const MapaRutas& mapa, const PeticionFichero& p) {
    QFileDialog dialogo(padre);
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(p.guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogo.setFileMode(p.guardar ? QFileDialog::AnyFile
                                  : (p.debeExistir ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialogo.setOption(QFileDialog::ReadOnly, false);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, !p.confirmarSobrescribir);
    dialogo.setNameFilters(filtrosQt(p.filtro));
    if (!p.extension.empty()) dialogo.setDefaultSuffix(qs(p.extension));
    if (!p.directorioInicial.empty()) {
        const auto carpeta = mapa.aAnfitrion(p.directorioInicial);
        dialogo.setDirectory(QString::fromStdString(carpeta.string()));
    }
    if (!p.nombreInicial.empty()) {
        const auto inicial = mapa.aAnfitrion(p.nombreInicial);
        const QFileInfo info(QString::fromStdString(inicial.string()));
        if (info.dir().exists() && p.directorioInicial.empty()) dialogo.setDirectory(info.dir());
        dialogo.selectFile(info.fileName());
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString elegido = dialogo.selectedFiles().constFirst();
    return mapa.aWindows(std::filesystem::path(elegido.toStdString()));
}

}  // namespace celvara::ui
