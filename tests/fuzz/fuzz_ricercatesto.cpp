// The word search of the pages' text on any input: the first line is what
// the user types, the rest a page's text. The request holds only quoted
// groups of word characters, no more words than a search takes, each once,
// and is taken whole when given again; the page written into an index in
// memory is searched with it, and its context, like the one made from the
// text with the request's words marked by hand, is a stretch of the text
// with matches between « and ».
#include "ocr/indicetesti.h"

#include "fuzz_supporto.h"

#include <QCoreApplication>
#include <QSet>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QCoreApplication> applicazione;
std::unique_ptr<IndiceTesti> indice;

// The text with every « and » and the ellipsis taken out, blanks made one.
QString nudo(QString testo)
{
    testo.remove(QChar(0xab)).remove(QChar(0xbb)).remove(QChar(0x2026));
    return testo.simplified();
}

void verificaContesto(const QString &contesto, const QString &testo, bool trovata)
{
    // Marks alternate, the first an opening one.
    bool aperta = false;
    for (const QChar c : contesto) {
        if (c == QChar(0xab) || c == QChar(0xbb)) {
            FUZZ_VERIFICA(aperta == (c == QChar(0xbb)));
            aperta = !aperta;
        }
        FUZZ_VERIFICA(c != kInizioTrovata && c != kFineTrovata);
    }
    FUZZ_VERIFICA(!aperta);
    FUZZ_VERIFICA(nudo(testo).contains(nudo(contesto)));
    FUZZ_VERIFICA(!trovata || contesto.contains(QChar(0xab)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    silenziaRegistro();
    applicazione = std::make_unique<QCoreApplication>(*argc, *argv);
    indice = std::make_unique<IndiceTesti>(QStringLiteral(":memory:"));
    // Closed before the toolkit's own statics go, which the opening made.
    std::atexit([] {
        indice.reset();
        applicazione.reset();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    const QString tutto = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(quanti));
    const qsizetype a = tutto.indexOf(QLatin1Char('\n'));
    const QString parole = a < 0 ? tutto : tutto.left(a);
    // Only the index puts marks in a text, and only « and » around its
    // matches: the page's own are left out so that the check can tell them.
    // The index keeps no NUL.
    QString testo = a < 0 ? QString() : tutto.mid(a + 1);
    for (const QChar c :
         {QChar(kInizioTrovata), QChar(kFineTrovata), QChar(0xab), QChar(0xbb), QChar(0x2026), QChar(0)})
        testo.remove(c);

    bool ridotta = false;
    const QString richiesta = richiestaTestuale(parole, &ridotta);
    // Quoted groups of word characters, one blank apart.
    int gruppi = 0;
    int contate = 0;
    QSet<QString> visti;
    const QStringList pezzi = richiesta.split(QLatin1Char('"'));
    FUZZ_VERIFICA(richiesta.isEmpty() || pezzi.size() % 2 == 1);
    for (int k = 0; k < pezzi.size() && !richiesta.isEmpty(); ++k) {
        const QString &p = pezzi.at(k);
        if (k % 2 == 0) {
            FUZZ_VERIFICA(p == ((k == 0 || k == pezzi.size() - 1) ? QString() : QStringLiteral(" ")));
            continue;
        }
        ++gruppi;
        FUZZ_VERIFICA(!p.isEmpty() && !p.startsWith(QLatin1Char(' ')) && !p.endsWith(QLatin1Char(' ')));
        FUZZ_VERIFICA(!p.contains(QStringLiteral("  ")));
        contate += int(p.count(QLatin1Char(' '))) + 1;
        const QString chiave = p.normalized(QString::NormalizationForm_C).toCaseFolded();
        FUZZ_VERIFICA(!visti.contains(chiave));
        visti.insert(chiave);
    }
    FUZZ_VERIFICA(contate <= kMassimoParole);
    FUZZ_VERIFICA(!ridotta || contate > 0);
    bool ancora = true;
    FUZZ_VERIFICA(richiestaTestuale(richiesta, &ancora) == richiesta && !ancora);

    // The context from a text whose words of the request are marked here.
    QString marcato;
    for (const QString &w : testo.split(QLatin1Char(' '))) {
        if (!marcato.isEmpty())
            marcato += QLatin1Char(' ');
        if (!w.isEmpty() && visti.contains(w.toCaseFolded()))
            marcato += QChar(kInizioTrovata) + w + QChar(kFineTrovata);
        else
            marcato += w;
    }
    for (int quante : {1, 12})
        verificaContesto(contestoDa(marcato, quante), testo, marcato.contains(QChar(kInizioTrovata)));

    // The search itself, over the page in the index.
    FUZZ_VERIFICA(indice->usabile());
    FUZZ_VERIFICA(indice->scriviPagina(QStringLiteral("Prova"), 1, testo, QStringLiteral("1")));
    const QVector<IndiceTesti::Trovata> trovate = indice->cerca(QStringLiteral("Prova"), parole);
    FUZZ_VERIFICA(trovate.size() <= 1);
    FUZZ_VERIFICA(gruppi > 0 || trovate.isEmpty());
    FUZZ_VERIFICA(indice->conta(QStringLiteral("Prova"), parole) == trovate.size());
    for (const IndiceTesti::Trovata &t : trovate) {
        FUZZ_VERIFICA(t.posizione == 1);
        verificaContesto(t.contesto, testo, false);
    }
    return 0;
}
