#include "access/fileini.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace FileIni {

namespace {

QByteArray senzaBianchi(const QByteArray &riga)
{
    qsizetype inizio = 0;
    qsizetype fine = riga.size();
    while (inizio < fine && (riga.at(inizio) == ' ' || riga.at(inizio) == '\t'))
        ++inizio;
    while (fine > inizio && (riga.at(fine - 1) == ' ' || riga.at(fine - 1) == '\t'))
        --fine;
    return riga.mid(inizio, fine - inizio);
}

bool stessoNome(const QByteArray &a, const QString &b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

// What one line of the file is.
struct Riga {
    enum Tipo { Altro, Sezione, Voce } tipo = Altro;
    QByteArray nome;    // section or key name
    QByteArray valore;  // for a key
};

Riga analizza(const QByteArray &testo)
{
    Riga r;
    const QByteArray riga = senzaBianchi(testo);
    if (riga.startsWith('[')) {
        r.tipo = Riga::Sezione;
        const qsizetype chiusa = riga.indexOf(']');
        r.nome = senzaBianchi(riga.mid(1, chiusa < 0 ? -1 : chiusa - 1));
        return r;
    }
    if (riga.startsWith(';'))
        return r;
    const qsizetype uguale = riga.indexOf('=');
    if (uguale <= 0)
        return r;
    r.tipo = Riga::Voce;
    r.nome = senzaBianchi(riga.left(uguale));
    r.valore = senzaBianchi(riga.mid(uguale + 1));
    if (r.valore.size() >= 2 && (r.valore.front() == '"' || r.valore.front() == '\'')
        && r.valore.back() == r.valore.front()) {
        r.valore = r.valore.mid(1, r.valore.size() - 2);
    }
    return r;
}

QByteArray senzaFineRiga(QByteArray riga)
{
    while (riga.endsWith('\n') || riga.endsWith('\r'))
        riga.chop(1);
    return riga;
}

QString descrizione(const QString &percorso, const QString &motivo)
{
    return percorso + QStringLiteral(": ") + motivo;
}

} // namespace

QString leggiValore(const QString &percorso, const QString &sezione, const QString &chiave,
                    int maxCaratteri)
{
    QFile file(percorso);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());

    bool inSezione = false;
    bool primaRiga = true;
    while (!file.atEnd()) {
        QByteArray testo = senzaFineRiga(file.readLine());
        // An editor may have saved the file as UTF-8 with its mark.
        if (primaRiga && testo.startsWith("\xEF\xBB\xBF"))
            testo.remove(0, 3);
        primaRiga = false;
        const Riga r = analizza(testo);
        if (r.tipo == Riga::Sezione)
            inSezione = stessoNome(r.nome, sezione);
        else if (inSezione && r.tipo == Riga::Voce && stessoNome(r.nome, chiave))
            return QString::fromLatin1(r.valore.left(maxCaratteri));
    }
    if (file.error() != QFileDevice::NoError)
        throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());
    return QString();
}

void scriviValore(const QString &percorso, const QString &sezione, const QString &chiave,
                  const QString &valore)
{
    QList<QByteArray> righe;
    QByteArray fineRiga = "\r\n";
    const QFileInfo info(percorso);
    if (info.exists()) {
        // The replacement below would go through a read-only mark (it only
        // needs the folder to be writable): honour the mark here.
        // (WriteUser is left out: it is what the current user may do, and
        // an administrator may do anything.)
        const auto scrittura = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isWritable() || !(info.permissions() & scrittura))
            throw ErroreFileIni(descrizione(percorso, QStringLiteral("read-only file")).toStdString());
        QFile file(percorso);
        if (!file.open(QIODevice::ReadOnly))
            throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());
        const QByteArray contenuto = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());
        if (!contenuto.contains("\r\n") && contenuto.contains('\n'))
            fineRiga = "\n";
        righe = contenuto.split('\n');
        for (QByteArray &r : righe)
            r = senzaFineRiga(r);
        if (!righe.isEmpty() && righe.last().isEmpty())
            righe.removeLast();
    }

    const QByteArray nuovaRiga = chiave.toLatin1() + '=' + valore.toLatin1();
    qsizetype inizioSezione = -1;
    qsizetype dopoUltimaVoce = -1;  // where a missing key goes: after the section's last non-blank line
    bool scritta = false;
    for (qsizetype i = 0; i < righe.size() && !scritta; ++i) {
        const Riga r = analizza(righe.at(i));
        if (r.tipo == Riga::Sezione) {
            if (inizioSezione >= 0)
                break;
            if (stessoNome(r.nome, sezione))
                inizioSezione = dopoUltimaVoce = i + 1;
        } else if (inizioSezione >= 0) {
            if (r.tipo == Riga::Voce && stessoNome(r.nome, chiave)) {
                righe[i] = nuovaRiga;
                scritta = true;
            } else if (!senzaBianchi(righe.at(i)).isEmpty()) {
                dopoUltimaVoce = i + 1;
            }
        }
    }
    if (!scritta) {
        if (inizioSezione >= 0) {
            righe.insert(dopoUltimaVoce, nuovaRiga);
        } else {
            righe.append('[' + sezione.toLatin1() + ']');
            righe.append(nuovaRiga);
        }
    }

    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());
    for (const QByteArray &r : righe)
        file.write(r + fineRiga);
    if (!file.commit())
        throw ErroreFileIni(descrizione(percorso, file.errorString()).toStdString());
}

} // namespace FileIni
