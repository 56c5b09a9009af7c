#include "storage/allegati.h"

#include "storage/filenormale.h"
#include "storage/schedapagina.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

#include <QFile>

#include <filesystem>
#include <vector>
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

bool nomeAllegatoMemorizzabile(const QString &nome)
{
    const QString nudo = Testo::trim(nome);
    if (!nomeAllegatoSemplice(nudo))
        return false;
    const int capacita = infoCampo(Campo::File01).capacita;
    std::vector<uint8_t> campo(size_t(capacita) + 1);
    TestoInCampo(nudo, campo.data(), capacita);
    return CampoInTesto(campo.data(), capacita) == nudo;
}

QString percorsoAllegato(const QString &cartellaProgramma, const QString &nome)
{
    if (!nomeAllegatoSemplice(nome))
        return QString();
    return cartellaAllegati(cartellaProgramma) + nome;
}

bool copiaSostituendo(const QString &sorgente, const QString &destinazione, QString *motivo, mode_t permessiMassimi,
                      const ChiamateDisco &chiamate)
{
    QFile origine;
    QString ragione;
    if (!apriFileNormale(origine, sorgente, &ragione)) {
        if (motivo)
            *motivo = QStringLiteral("%1: %2").arg(sorgente, ragione);
        return false;
    }
    if (stessoFile(sorgente, destinazione))
        return true;

    const int letto = origine.handle();
    return sostituisciFile(
        destinazione,
        [letto, &chiamate](QIODevice &copia) {
            char blocco[64 * 1024];
            for (;;) {
                const ssize_t letti = leggiDescrittore(letto, blocco, sizeof blocco, chiamate);
                if (letti == 0)
                    return true;
                if (letti < 0 || copia.write(blocco, letti) != letti)
                    return false;
            }
        },
        motivo, permessiMassimi, chiamate);
}
