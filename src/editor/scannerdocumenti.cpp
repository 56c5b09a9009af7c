#include "editor/scannerdocumenti.h"

#include "app/contesto.h"
#include "app/errori.h"
#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "editor/paginepacco.h"
#include "scanner/frmacquisisci.h"

#include <QAction>
#include <QLineEdit>

void creaComandiScanner(TfrmDocumenti *editor, const Contesto &contesto)
{
    struct Comando {
        const char *nome;
        const char *testo;
        const char *tasti;
        void (*esegui)(TfrmDocumenti *, const Contesto &);
    };
    static const Comando comandi[] = {
        {"actAcquisisci", "Acquisisci dallo scanner...", "Ctrl+Shift+A", &acquisisciPagina},
        {"actAcquisisciPagine", "Acquisisci più pagine...", "Ctrl+Shift+P", &acquisisciPagine},
    };
    for (const Comando &c : comandi) {
        auto *azione = new QAction(QString::fromUtf8(c.testo), editor);
        azione->setObjectName(QString::fromLatin1(c.nome));
        azione->setShortcut(QKeySequence(QString::fromLatin1(c.tasti), QKeySequence::PortableText));
        azione->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(azione, &QAction::triggered, editor, [editor, &contesto, esegui = c.esegui] {
            protetto(contesto, [&] { esegui(editor, contesto); });
        });
        // On the picture for its context menu; the keys work anywhere in the editor.
        editor->imgFoto->addAction(azione);
    }
    editor->imgFoto->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void acquisisciPagina(TfrmDocumenti *editor, const Contesto &contesto)
{
    TfrmAcquisisci finestra(contesto, editor);
    if (finestra.exec() != QDialog::Accepted || finestra.immagine().isNull())
        return;
    // A new picture on screen, as a loaded file would be, without JPEG bytes
    // of its own: saving encodes it once, at the scans' quality.
    editor->impostaFoto(finestra.immagine());
    emit editor->fotoAcquisita(finestra.immagine());
}

// The fields a save would refuse to store without are refused here too,
// before any sheet is pulled in.
void acquisisciPagine(TfrmDocumenti *editor, const Contesto &contesto)
{
    const ValoriScheda valori = editor->valoriSchermo();
    if (const CampoObbligatorio *mancante = primoObbligatorioMancante(valori.testi)) {
        contesto.avviso(mancante->avviso);
        editor->campo(mancante->campo)->setFocus();
        return;
    }
    const QString percorso = editor->percorsoArchivio();
    const QString nome = editor->nomeArchivio();
    TfrmAcquisisci finestra(contesto, editor);
    finestra.impostaPacco([&](const QImage &pagina, int) {
        const EsitoPaginaPacco esito = salvaPaginaPacco(contesto.cartellaProgramma(), percorso, nome, valori, pagina);
        return PaginaSalvata{esito.posizione, esito.errore};
    });
    finestra.exec();
}
