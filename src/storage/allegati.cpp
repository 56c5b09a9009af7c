#include "storage/allegati.h"

#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path percorsoDiSistema(const QString &percorso)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(percorso.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(percorso).toStdString());
#endif
}

// The same file under two names: same path, a link to it, or a hard link.
bool stessoFile(const QString &a, const QString &b)
{
    std::error_code errore;
    return std::filesystem::equivalent(percorsoDiSistema(a), percorsoDiSistema(b), errore) && !errore;
}

} // namespace

QString cartellaAllegati(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("Documenti_Allegati/");
}

bool nomeAllegatoSemplice(const QString &nome)
{
    if (nome.isEmpty() || nome == QLatin1String(".") || nome == QLatin1String(".."))
        return false;
    return !nome.contains(u'/') && !nome.contains(u'\\');
}

QString percorsoAllegato(const QString &cartellaProgramma, const QString &nome)
{
    if (!nomeAllegatoSemplice(nome))
        return QString();
    return cartellaAllegati(cartellaProgramma) + nome;
}

bool copiaSostituendo(const QString &sorgente, const QString &destinazione)
{
    QFile origine(sorgente);
    if (!origine.open(QIODevice::ReadOnly))
        return false;
    if (stessoFile(sorgente, destinazione))
        return true;

    QSaveFile copia(destinazione);
    if (!copia.open(QIODevice::WriteOnly))
        return false;
    char blocco[64 * 1024];
    for (;;) {
        const qint64 letti = origine.read(blocco, sizeof blocco);
        if (letti < 0) {
            copia.cancelWriting();
            break;
        }
        if (letti == 0)
            break;
        if (copia.write(blocco, letti) != letti) {
            copia.cancelWriting();
            break;
        }
    }
    return copia.commit();
}
