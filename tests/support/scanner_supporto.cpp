#include "support/scanner_supporto.h"

#include <QFile>

namespace {

bool scrivi(const QString &percorso, const QByteArray &testo)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size();
}

} // namespace

ScannerDiProva::ScannerDiProva(bool conBackend)
{
    m_cera = qEnvironmentVariableIsSet("SANE_CONFIG_DIR");
    m_prima = qgetenv("SANE_CONFIG_DIR");
    const bool scritto =
        scrivi(m_cartella.filePath(QStringLiteral("dll.conf")), conBackend ? "test\n" : "") &&
        // The backend's defaults as shipped, written here so that no system
        // file decides them.
        scrivi(m_cartella.filePath(QStringLiteral("test.conf")),
               "number_of_devices 2\nmode Gray\ndepth 8\nresolution 50\n"
               "test-picture \"Solid black\"\nread-limit false\nread-delay false\n"
               "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 1.0\n"
               "tl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\n");
    if (!scritto)
        m_cartella.remove();
    // The trailing colon would add the system folders after ours: without
    // it only ours is read.
    qputenv("SANE_CONFIG_DIR", m_cartella.path().toLocal8Bit());
}

ScannerDiProva::~ScannerDiProva()
{
    if (m_cera)
        qputenv("SANE_CONFIG_DIR", m_prima);
    else
        qunsetenv("SANE_CONFIG_DIR");
}
