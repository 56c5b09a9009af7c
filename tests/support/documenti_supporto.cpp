#include "support/documenti_supporto.h"

#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "output/frmexpdocumenti.h"
#include "search/finestrariepilogo.h"
#include "startup/finestre.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

QVector<TSchedaPagina> schedeNumerate(int n)
{
    QVector<TSchedaPagina> schede;
    for (int k = 1; k <= n; ++k) {
        TSchedaPagina s = schedaVuota();
        impostaCampo(s, Campo::Titolo, QStringLiteral("Pagina %1").arg(k));
        impostaCampo(s, Campo::Codice, QStringLiteral("C-%1").arg(k));
        impostaCampo(s, Campo::Autore, QStringLiteral("Autore %1").arg(k));
        impostaCampo(s, Campo::PagNum, QString::number(k));
        impostaFlag(s, false);
        schede.append(s);
    }
    return schede;
}

TfrmDocumenti *apriEditore(const QString &cartella, const QString &nome)
{
    TfrmDocumenti *editor = frmDocumenti();
    editor->hide();
    impostaArchivioEditore(editor, cartella, nome);
    editor->mostra();
    // Offscreen, a window hidden and shown again stays the platform's focus
    // window, so the application is never told it is active again: tell it,
    // or focus checks would see no focus anywhere.
    if (!QTest::qWaitForWindowActive(editor) || QApplication::activeWindow() != editor)
        QApplication::setActiveWindow(editor);
    if (QApplication::activeWindow() != editor)
        qWarning("the editor did not become the active window");
    return editor;
}

QString EditoreDiProva::archivio() const
{
    return percorso(QStringLiteral("Prova.kpx"));
}

QString EditoreDiProva::scansione(int posizione) const
{
    return percorso(QStringLiteral("Pagine_Documenti/Prova_Foto_%1.jpg").arg(posizione));
}

TfrmDocumenti *EditoreDiProva::riapri()
{
    QFile::remove(archivio());
    QDir(percorso(QStringLiteral("Pagine_Documenti"))).removeRecursively();
    return apriEditore(cartella(), QStringLiteral("Prova"));
}

void suArchivioEditore(FinestraRiepilogo *finestra)
{
    TfrmDocumenti *editor = frmDocumenti();
    finestra->impostaArchivio(editor->percorsoArchivio(), editor->nomeArchivio());
    QObject::connect(finestra, &FinestraRiepilogo::schedaScelta, &editor->documento(),
                     &DocumentoArchivio::mostraPosizione);
}

void suArchivioEditore(TfrmExpDocumenti *finestra)
{
    finestra->impostaArchivio(frmDocumenti()->percorsoArchivio());
}

QLineEdit *campoEditore(const char *nome)
{
    return frmDocumenti()->findChild<QLineEdit *>(QString::fromLatin1(nome));
}

QWidget *controlloEditore(const char *nome)
{
    return frmDocumenti()->findChild<QWidget *>(QString::fromLatin1(nome));
}

QCheckBox *casellaDaCompletare(TfrmDocumenti *editor)
{
    return editor->findChild<QCheckBox *>(QStringLiteral("chkDaCompletare"));
}

QLabel *barraStato(TfrmDocumenti *editor)
{
    return editor->findChild<QLabel *>(QStringLiteral("panInfo"));
}

VistaImmagine *fotoEditore(TfrmDocumenti *editor)
{
    return editor->findChild<VistaImmagine *>(QStringLiteral("imgFoto"));
}

QString posizioneMostrata(TfrmDocumenti *editor)
{
    return editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text();
}

QString nomeMostrato(TfrmDocumenti *editor)
{
    return editor->findChild<QLabel *>(QStringLiteral("lblNome"))->text();
}

void impostaArchivioEditore(TfrmDocumenti *editor, const QString &cartella, const QString &nome)
{
    editor->documento().impostaCartellaProgramma(cartella);
    editor->documento().apri(cartella + nome + QStringLiteral(".kpx"), nome);
}

void impostaAllegatoEditore(TfrmDocumenti *editor, int slot, const QString &nome, const QString &descrizione)
{
    ValoriAllegati v = editor->allegati();
    v.nomi[size_t(slot)] = nome;
    v.descrizioni[size_t(slot)] = descrizione;
    editor->impostaAllegati(v);
}

void muoviPuntatore(QWidget *w, QPoint pos)
{
    if (pos == QPoint(-1, -1))
        pos = w->rect().center();
    QMouseEvent evento(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &evento);
}
