#include "support/disco_supporto.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>

DiscoPiccolo::DiscoPiccolo(const QString &punto, int kilobyte)
    : m_punto(QDir::cleanPath(punto))
{
    const QByteArray opzioni = "size=" + QByteArray::number(kilobyte) + "k";
    m_montato = QDir().mkpath(m_punto)
        && ::mount("tmpfs", QFile::encodeName(m_punto).constData(), "tmpfs", 0, opzioni.constData()) == 0;
}

DiscoPiccolo::~DiscoPiccolo()
{
    if (m_montato)
        ::umount2(QFile::encodeName(m_punto).constData(), MNT_DETACH);
}

bool DiscoPiccolo::riempi() const
{
    // In a folder of its own, out of the listings tests compare.
    const QString dove = cartella() + QStringLiteral(".riempimento");
    QFile riempi(dove + QStringLiteral("/tutto"));
    if (!QDir().mkpath(dove) || !riempi.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray blocco(4096, 'x');
    while (riempi.write(blocco) == blocco.size()) {
    }
    // Then the last bytes a block would not take.
    while (riempi.write("x", 1) == 1) {
    }
    return true;
}

bool DiscoPiccolo::soloLettura() const
{
    return m_montato
        && ::mount("tmpfs", QFile::encodeName(m_punto).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
