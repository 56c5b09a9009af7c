#include "support/scanner_supporto.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

bool scrivi(const QString &percorso, const QByteArray &testo)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size();
}

} // namespace

QString ScannerDiProva::cartella()
{
    static QTemporaryDir cartella;
    return cartella.path();
}

ScannerDiProva::ScannerDiProva(bool conBackend)
{
    const QString c = cartella();
    m_valido = !c.isEmpty() &&
               scrivi(c + QStringLiteral("/dll.conf"), conBackend ? "test\n" : "") &&
               // The backend's defaults as shipped, written here so that no
               // system file decides them.
               scrivi(c + QStringLiteral("/test.conf"),
                      "number_of_devices 2\nmode Gray\ndepth 8\nresolution 50\n"
                      "test-picture \"Solid black\"\nread-limit false\nread-delay false\n"
                      "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 1.0\n"
                      "tl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n");
    // Without a trailing colon the system folders are not read after ours.
    qputenv("SANE_CONFIG_DIR", c.toLocal8Bit());
}
