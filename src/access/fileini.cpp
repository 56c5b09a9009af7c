#include "access/fileini.h"

#include "storage/filenormale.h"
#include "storage/registro.h"
#include "storage/sostituzionefile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <optional>

namespace FileIni {

ErroreFileIni::ErroreFileIni(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
    // The windows show one fixed message for this; the detail stays here.
    qCWarning(lcFile).noquote() << "settings file:" << dettaglio;
}

namespace {

// How a file's text is laid in bytes; the writer puts it back the same way.
struct Contenuto {
    enum Codifica { Latino1, Utf8ConMarca, Utf16LE, Utf16BE } codifica = Latino1;
    bool marca = false;           // for UTF-16: whether it began with its mark
    QString fineRiga = QStringLiteral("\r\n");  // the first one found, for new lines
    QList<QString> righe;
    QList<QString> fini;  // each line's own end, kept as it was ("" for a last line without)
};

bool utf16SenzaMarca(const QByteArray &b, bool little)
{
    // Settings text is ASCII almost all through: one byte of every pair
    // zero, on the same side, gives UTF-16 away.
    if (b.size() < 2 || b.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < b.size(); i += 2) {
        const char alto = little ? b.at(i + 1) : b.at(i);
        const char basso = little ? b.at(i) : b.at(i + 1);
        if (alto != 0 || basso == 0)
            return false;
    }
    return true;
}

// UTF-16 as it stands in the file, code unit for code unit: a further mark
// after the first is text, and a last odd byte is dropped, so that writing
// the text back gives the same bytes.
QString daUtf16(const QByteArray &b, qsizetype da, QStringConverter::Encoding codifica)
{
    QStringDecoder decodifica(codifica, QStringConverter::Flag::ConvertInitialBom);
    return decodifica(QByteArrayView(b).sliced(da, (b.size() - da) & ~qsizetype(1)));
}

QByteArray inUtf16(const QString &testo, QStringConverter::Encoding codifica)
{
    QStringEncoder codificatore(codifica);
    return codificatore(testo);
}

Contenuto decodifica(const QByteArray &b, const QString &percorso)
{
    Contenuto c;
    QString testo;
    // A mark says the encoding; without one, UTF-16 shows in its zeros.
    const std::optional<QStringConverter::Encoding> marcata = QStringConverter::encodingForData(b);
    if (!marcata) {
        if (utf16SenzaMarca(b, true)) {
            c.codifica = Contenuto::Utf16LE;
            testo = daUtf16(b, 0, QStringConverter::Utf16LE);
        } else if (utf16SenzaMarca(b, false)) {
            c.codifica = Contenuto::Utf16BE;
            testo = daUtf16(b, 0, QStringConverter::Utf16BE);
        } else {
            testo = QString::fromLatin1(b);
        }
    } else {
        switch (*marcata) {
        case QStringConverter::Utf8:
            // Read byte for byte, as the program has always read it.
            c.codifica = Contenuto::Utf8ConMarca;
            testo = QString::fromLatin1(b.mid(3));
            break;
        case QStringConverter::Utf16LE:
        case QStringConverter::Utf16BE:
            c.codifica = *marcata == QStringConverter::Utf16LE ? Contenuto::Utf16LE : Contenuto::Utf16BE;
            c.marca = true;
            testo = daUtf16(b, 2, *marcata);
            break;
        default: // UTF-32
            throw ErroreFileIni(percorso + QStringLiteral(": not a settings text file in a known encoding"));
        }
    }
    if (testo.contains(QChar(0)))
        throw ErroreFileIni(percorso + QStringLiteral(": not a settings text file in a known encoding"));

    // The first line end found is the file's; any of the three ends a line.
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (testo.at(i) == u'\n') {
            c.fineRiga = QStringLiteral("\n");
            break;
        }
        if (testo.at(i) == u'\r') {
            c.fineRiga = i + 1 < testo.size() && testo.at(i + 1) == u'\n' ? QStringLiteral("\r\n")
                                                                          : QStringLiteral("\r");
            break;
        }
    }
    qsizetype inizio = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar ch = testo.at(i);
        if (ch != u'\n' && ch != u'\r')
            continue;
        c.righe.append(testo.mid(inizio, i - inizio));
        const bool crlf = ch == u'\r' && i + 1 < testo.size() && testo.at(i + 1) == u'\n';
        c.fini.append(testo.mid(i, crlf ? 2 : 1));
        if (crlf)
            ++i;
        inizio = i + 1;
    }
    if (inizio < testo.size()) {
        c.righe.append(testo.mid(inizio));
        c.fini.append(QString());
    }
    return c;
}

QByteArray codifica(const Contenuto &c)
{
    QString testo;
    for (qsizetype i = 0; i < c.righe.size(); ++i)
        testo += c.righe.at(i) + c.fini.at(i);
    switch (c.codifica) {
    case Contenuto::Utf8ConMarca:
        return "\xEF\xBB\xBF" + testo.toLatin1();
    case Contenuto::Utf16LE:
        return (c.marca ? QByteArray("\xFF\xFE") : QByteArray()) + inUtf16(testo, QStringConverter::Utf16LE);
    case Contenuto::Utf16BE:
        return (c.marca ? QByteArray("\xFE\xFF") : QByteArray()) + inUtf16(testo, QStringConverter::Utf16BE);
    case Contenuto::Latino1:
        break;
    }
    return testo.toLatin1();
}

bool bianco(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString senzaBianchi(const QString &riga)
{
    qsizetype inizio = 0;
    qsizetype fine = riga.size();
    while (inizio < fine && bianco(riga.at(inizio)))
        ++inizio;
    while (fine > inizio && bianco(riga.at(fine - 1)))
        --fine;
    return riga.mid(inizio, fine - inizio);
}

bool stessoNome(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one line of the file is.
struct Riga {
    enum Tipo { Altro, Sezione, Voce } tipo = Altro;
    QString nome;    // section or key name
    QString valore;  // for a key
};

Riga analizza(const QString &testo)
{
    Riga r;
    const QString riga = senzaBianchi(testo);
    if (riga.startsWith(u'[')) {
        r.tipo = Riga::Sezione;
        const qsizetype chiusa = riga.indexOf(u']');
        r.nome = senzaBianchi(riga.mid(1, chiusa < 0 ? -1 : chiusa - 1));
        return r;
    }
    if (riga.startsWith(u';'))
        return r;
    const qsizetype uguale = riga.indexOf(u'=');
    if (uguale <= 0)
        return r;
    r.tipo = Riga::Voce;
    r.nome = senzaBianchi(riga.left(uguale));
    r.valore = senzaBianchi(riga.mid(uguale + 1));
    if (r.valore.size() >= 2 && (r.valore.front() == u'"' || r.valore.front() == u'\'')
        && r.valore.back() == r.valore.front()) {
        r.valore = r.valore.mid(1, r.valore.size() - 2);
    }
    return r;
}

QString valore(const Contenuto &c, const QString &sezione, const QString &chiave)
{
    bool inSezione = false;
    for (const QString &testo : c.righe) {
        const Riga r = analizza(testo);
        if (r.tipo == Riga::Sezione)
            inSezione = stessoNome(r.nome, sezione);
        else if (inSezione && r.tipo == Riga::Voce && stessoNome(r.nome, chiave))
            return r.valore;
    }
    return QString();
}

void impostaValore(Contenuto &c, const QString &sezione, const QString &chiave, const QString &nuovo)
{
    const QString nuovaRiga = chiave + u'=' + nuovo;
    const QList<QString> &righe = c.righe;
    qsizetype inizioSezione = -1;
    qsizetype dopoUltimaVoce = -1;  // where a missing key goes: after the section's last non-blank line
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const Riga r = analizza(righe.at(i));
        if (r.tipo == Riga::Sezione) {
            if (inizioSezione >= 0)
                break;
            if (stessoNome(r.nome, sezione))
                inizioSezione = dopoUltimaVoce = i + 1;
        } else if (inizioSezione >= 0) {
            if (r.tipo == Riga::Voce && stessoNome(r.nome, chiave)) {
                c.righe[i] = nuovaRiga;
                return;
            }
            if (!senzaBianchi(righe.at(i)).isEmpty())
                dopoUltimaVoce = i + 1;
        }
    }
    // A line added after a last line without an end gives it one.
    const auto inserisci = [&c](qsizetype dove, const QString &riga) {
        if (dove > 0 && c.fini.at(dove - 1).isEmpty())
            c.fini[dove - 1] = c.fineRiga;
        c.righe.insert(dove, riga);
        c.fini.insert(dove, c.fineRiga);
    };
    if (inizioSezione >= 0) {
        inserisci(dopoUltimaVoce, nuovaRiga);
    } else {
        inserisci(c.righe.size(), u'[' + sezione + u']');
        inserisci(c.righe.size(), nuovaRiga);
    }
}

QByteArray leggiTutto(const QString &percorso)
{
    QFile file;
    QString motivo;
    if (!apriFileNormale(file, percorso, &motivo)) {
        // A missing store (or a link to nothing) is an empty one.
        if (errno == ENOENT)
            return QByteArray();
        throw ErroreFileIni(percorso + QStringLiteral(": ") + motivo);
    }
    QByteArray contenuto = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ErroreFileIni(percorso + QStringLiteral(": ") + file.errorString());
    if (contenuto.isNull())
        contenuto = QByteArray("");
    return contenuto;
}

} // namespace

QString valoreNelContenuto(const QByteArray &contenuto, const QString &sezione, const QString &chiave,
                           int maxCaratteri)
{
    return valore(decodifica(contenuto, QString()), sezione, chiave).left(maxCaratteri);
}

QByteArray contenutoConValore(const QByteArray &contenuto, const QString &sezione, const QString &chiave,
                              const QString &nuovo)
{
    Contenuto c = decodifica(contenuto, QString());
    impostaValore(c, sezione, chiave, nuovo);
    QByteArray scritto = codifica(c);
    // What is written must read back as written, or the old file stays:
    // a store the reader took differently would lock everyone out.
    if (valore(decodifica(scritto, QString()), sezione, chiave) != nuovo)
        throw ErroreFileIni(QStringLiteral("the new value would not read back"));
    return scritto;
}

QString leggiValore(const QString &percorso, const QString &sezione, const QString &chiave,
                    int maxCaratteri)
{
    const QByteArray contenuto = leggiTutto(percorso);
    if (contenuto.isNull())
        return QString();
    return valore(decodifica(contenuto, percorso), sezione, chiave).left(maxCaratteri);
}

void scriviValore(const QString &percorso, const QString &sezione, const QString &chiave, const QString &valore,
                  mode_t permessiMassimi, const ChiamateDisco &chiamate)
{
    const QFileInfo info(percorso);
    if (info.exists()) {
        // The replacement below would go through a read-only mark (it only
        // needs the folder to be writable): honour the mark here.
        // (WriteUser is left out: it is what the current user may do, and
        // an administrator may do anything.)
        const auto scrittura = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isWritable() || !(info.permissions() & scrittura))
            throw ErroreFileIni(percorso + QStringLiteral(": read-only file"));
    }
    QByteArray contenuto = leggiTutto(percorso);
    QByteArray nuovo;
    try {
        nuovo = contenutoConValore(contenuto, sezione, chiave, valore);
    } catch (const ErroreFileIni &) {
        throw ErroreFileIni(percorso + QStringLiteral(": cannot be updated in place"));
    }
    QString motivo;
    const bool scritto = sostituisciFile(
        percorso, [&nuovo](QIODevice &file) { return file.write(nuovo) == nuovo.size(); }, &motivo, permessiMassimi,
        chiamate);
    if (!scritto)
        throw ErroreFileIni(motivo);
}

} // namespace FileIni
