#include "home/testiguida.h"

namespace {

// The overview paragraphs, in the launcher's order. The page editor's topic
// is a run of them with its own wording of the export paragraph, and the
// archive windows' topic is another run.
const QStringList &paragrafiPanoramica()
{
    static const QStringList p{
        // 1
        QStringLiteral(
            "Velmora è un software studiato per una gestione efficiente e dettagliata delle pagine dei propri "
            "documenti cartacei. Qualsiasi documento di carta, che si tratti di un libro, di un contratto, di "
            "un manoscritto o di un fascio di lettere, può diventare un archivio digitale: ogni pagina "
            "scansionata riceve una propria scheda, nella quale la si descrive con cura attraverso numerosi "
            "campi descrittivi. L'anteprima della scansione compare nella stessa schermata della descrizione, "
            "così che la pagina e le informazioni che la riguardano siano sempre sotto gli occhi."),
        // 2
        QStringLiteral(
            "In un mondo sempre più digitale, la quantità di documenti cartacei che accumuliamo può diventare "
            "una vera e propria sfida. Cercare un'informazione tra pile di fogli richiede tempo e pazienza, "
            "mentre con Velmora ogni pagina viene catalogata e descritta in modo ordinato. La copia digitale "
            "mette inoltre il contenuto dei documenti al riparo da danni, smarrimenti e dal naturale "
            "deterioramento della carta, e la possibilità di raggiungere rapidamente qualsiasi pagina rende "
            "il lavoro di ogni giorno molto più efficiente."),
        // 3
        QStringLiteral(
            "La schermata di partenza del software dà accesso a due ambienti di lavoro: la creazione di un "
            "nuovo documento e l'apertura di un documento esistente. Il primo passo consiste quindi nel fare "
            "clic sul pulsante dell'ambiente desiderato, Crea nuovo documento oppure Apri documento "
            "esistente."),
        // 4
        QStringLiteral(
            "Il fatto che tutti i file degli archivi sono posizionati nella cartella di installazione del "
            "programma rende molto semplice la creazione di una copia di sicurezza. Per il backup è "
            "sufficiente copiare l'intera cartella del programma su un qualsiasi supporto, per esempio un "
            "disco esterno o una chiavetta USB: insieme agli archivi vengono copiate anche le scansioni delle "
            "pagine, i file allegati e la password di accesso. Per ripristinare i dati basta sovrascrivere la "
            "cartella del programma con la copia salvata. È preferibile eseguire entrambe le operazioni a "
            "programma chiuso."),
        // 5
        QStringLiteral(
            "Per generare il file di un nuovo documento bisogna fare clic sul pulsante Crea nuovo documento "
            "della schermata di partenza. Nella finestra che si apre si digita il nome completo del documento "
            "nell'apposita casella di testo e si conferma con il pulsante posto in basso. La casella non "
            "accetta i caratteri che non possono comparire nel nome di un file, come la barra o i due punti."),
        // 6
        QStringLiteral(
            "Quando si crea un nuovo documento si genera un file di archivio nella cartella del programma "
            "caratterizzato dall'estensione KPX. Un archivio può contenere un numero illimitato di schede, "
            "ciascuna con la scansione della relativa pagina e con i propri commenti. Conviene assegnare "
            "all'archivio un nome completo, composto da parole chiave che ne facciano riconoscere subito il "
            "contenuto, per esempio Registro parrocchiale 1898 San Martino."),
        // 7
        QStringLiteral(
            "Una volta indicato il nome del documento nell'apposita casella di testo, il pulsante Applica e "
            "chiudi conferma la creazione dell'archivio e riporta alla schermata di partenza. Il pulsante "
            "Apri documento esistente mostra invece l'elenco di tutti gli archivi presenti nella cartella del "
            "programma: per lavorare su uno di essi è sufficiente fare clic sul suo nome e premere il "
            "pulsante Apri archivio."),
        // 8
        QStringLiteral(
            "L'icona del cestino consente di eliminare il file del documento selezionato. Prima di procedere "
            "il programma chiede una conferma; dopo la conferma l'eliminazione è definitiva e l'archivio non "
            "può più essere recuperato, per cui questa funzione va usata con la massima cautela. Le scansioni "
            "delle pagine e i file allegati restano comunque nelle rispettive cartelle del programma."),
        // 9
        QStringLiteral(
            "L'app per la gestione delle pagine del documento consente di creare un numero illimitato di "
            "schede, una per ogni pagina scansionata. Ogni scheda mostra a sinistra l'anteprima della "
            "scansione e accanto i campi descrittivi della pagina, così che immagine e descrizione si "
            "possano consultare e compilare nella stessa schermata."),
        // 10
        QStringLiteral(
            "Per compilare una nuova scheda, bisogna fare clic sul pulsante Nuovo (icona del foglio bianco), "
            "inserire i dati nei campi di testo, caricare la scansione della pagina con il pulsante Carica "
            "foto e infine fare clic sul pulsante Salva (icona del dischetto). Il titolo, il codice univoco, "
            "l'autore e il numero della pagina sono obbligatori; durante la compilazione il tasto Invio porta "
            "da un campo al successivo. Per modificare una scheda già archiviata basta raggiungerla con le "
            "frecce di scorrimento delle schede oppure con la funzione di ricerca, apportare le modifiche "
            "desiderate e fare clic di nuovo su Salva."),
        // 11
        QStringLiteral(
            "Di ogni pagina del documento è possibile indicare il titolo, il codice univoco, l'autore, la data "
            "di creazione e quella dell'ultima modifica, la tipologia, il numero della pagina e il numero "
            "delle righe, il tipo di carta, il carattere tipografico e la lingua. Seguono la descrizione della "
            "pagina, il suo incipit, le parole chiave, le illustrazioni presenti, le eventuali annotazioni a "
            "penna, il formato, lo stato di conservazione, la collocazione dell'originale e un giudizio. "
            "L'ultimo campo è riservato alle note personali."),
        // 12
        QStringLiteral(
            "Se si desidera creare una nuova scheda conservando il contenuto di tutti i campi di testo di una "
            "pagina già archiviata, bisogna richiamare quella scheda e fare clic sul pulsante Duplica (icona "
            "dei due fogli). A quel punto basta modificare i campi che cambiano, caricare la scansione della "
            "nuova pagina e fare clic su Salva. La duplicazione è particolarmente comoda per le pagine molto "
            "simili a una già presente in archivio, come le pagine consecutive di uno stesso libro."),
        // 13
        QStringLiteral(
            "Per arricchire ulteriormente le informazioni associate a ogni pagina, è possibile allegare alla "
            "scheda file esterni di qualsiasi tipo con il pulsante della graffetta: documenti correlati, note "
            "vocali, immagini in altri formati e così via. Ogni scheda accoglie fino a tre allegati, ciascuno "
            "con una breve descrizione, e i file vengono copiati nella cartella Documenti_Allegati del "
            "programma."),
        // 14
        QStringLiteral(
            "Velmora è dotato di una potente funzione di ricerca, che interroga l'archivio su più campi "
            "contemporaneamente, fino a dieci alla volta. Si possono così trovare, per esempio, tutte le "
            "pagine che contengono una determinata parola chiave oppure tutte le pagine di una stessa "
            "tipologia. I risultati compaiono in un elenco ordinato, dal quale un doppio clic su una voce "
            "richiama la scheda corrispondente."),
        // 15
        QStringLiteral(
            "Per un'analisi più dettagliata, si può effettuare lo zoom sulla foto della pagina scansionata. "
            "La foto appare nelle sue dimensioni reali in una finestra a tutto schermo, che si chiude con un "
            "clic sulla foto stessa. In qualsiasi momento è inoltre possibile salvare su disco una copia della "
            "scansione con l'apposito pulsante posto sotto la foto."),
        // 16
        QStringLiteral(
            "La funzione Slide Show consente di visualizzare in sequenza le foto scansionate delle pagine del "
            "documento. Le pagine scorrono a tutto schermo nell'ordine delle schede, ciascuna per sei "
            "secondi, e dopo l'ultima scansione la presentazione riprende dalla prima. Per terminarla è "
            "sufficiente un clic in un punto qualsiasi della foto."),
        // 17
        QStringLiteral(
            "Prima di stampare, si può visualizzare un'anteprima di stampa della singola pagina, che riporta "
            "su un foglio A4 la scansione e il testo della scheda. Se il risultato è quello atteso, la scheda "
            "può poi essere stampata su carta con il pulsante Stampa."),
        // 18, launcher wording: the editor's topic has its own second sentence
        QString(),
        // 19
        QStringLiteral(
            "Per aiutare a mantenere l'organizzazione e a completare il lavoro, ogni scheda dispone della "
            "casella Da completare: basta spuntarla per ricordare che la descrizione di quella pagina non è "
            "ancora terminata. Il pulsante con l'icona del triangolo giallo di avvertimento apre l'elenco di "
            "tutte le pagine ancora da completare, dal quale un doppio clic richiama la scheda desiderata."),
        // 20
        QStringLiteral(
            "Velmora può essere usato anche in una rete locale se si ha necessità di condividere gli archivi "
            "fra più postazioni di lavoro."),
        // 21
        QStringLiteral(
            "L'accesso all'app è protetto da una password aggiornabile dall'utente che può essere cambiata "
            "tutte le volte che si desidera. Per il primo accesso occorre digitare la parola chiave "
            "primaveralunga; in seguito è consigliabile sostituirla con una password personale tramite il "
            "pulsante Cambia password della finestra di accesso. La password protegge le finestre del "
            "programma, non i file: gli archivi, le scansioni, gli allegati e il foglio esportato restano "
            "leggibili da chiunque possa aprire la cartella del programma, e la password vi è conservata in "
            "una forma facile da decifrare. Per questo la cartella dei dati che il programma crea per ogni "
            "utente è riservata a lui solo, come il file della password; per proteggere davvero i documenti "
            "occorrono i permessi del sistema o un disco cifrato."),
        // 22
        QStringLiteral(
            "Il software può essere utilizzato anche su chiavetta USB. È sufficiente copiare l'intera cartella "
            "del programma sulla chiavetta e avviare Velmora da lì, portando con sé tutti gli archivi; la "
            "chiavetta deve permettere l'avvio di programmi, cosa che su Linux richiede in genere un file "
            "system come ext4. La stessa copia è anche il backup più rapido di tutti gli archivi."),
        // 23
        QStringLiteral(
            "In un mondo sempre più digitale, la quantità di documenti cartacei che accumuliamo può diventare "
            "una vera e propria sfida. Con Velmora la gestione dei documenti cartacei diventa semplice, "
            "efficiente e pronta per il futuro, e grazie alla sua impostazione chiara il tempo necessario per "
            "imparare a usarlo è praticamente nullo."),
    };
    return p;
}

QString paragrafoEsportazione(bool editor)
{
    return QStringLiteral("Per una maggiore flessibilità e integrazione con altri software, l'intero archivio "
                          "può essere esportato in formato Excel. Questa funzionalità ")
        + (editor ? QStringLiteral("ti permette di analizzare e gestire i dati delle tue schede al di fuori "
                                   "dell'applicazione.")
                  : QStringLiteral("permette di analizzare e gestire i dati delle schede al di fuori "
                                   "dell'applicazione."))
        + QStringLiteral(" Il foglio di lavoro si apre con qualsiasi programma in grado di leggere i file XLS, "
                         "come Microsoft Office, LibreOffice o Apache OpenOffice.");
}

constexpr int kParagrafoEsportazione = 18;

// Paragraphs `primo` to `ultimo` of the overview (numbered from 1), with the
// export paragraph in the wording asked for.
QStringList tratto(int primo, int ultimo, bool editor)
{
    QStringList p;
    for (int n = primo; n <= ultimo; ++n)
        p.append(n == kParagrafoEsportazione ? paragrafoEsportazione(editor) : paragrafiPanoramica().at(n - 1));
    return p;
}

// The editor's keys, after the paragraphs that describe its commands.
QString paragrafoTastiera()
{
    return QStringLiteral(
        "I comandi principali si eseguono anche dalla tastiera, senza lasciare i campi di testo: Ctrl+S salva "
        "la scheda come il pulsante Salva, Pag\u2191 e Pag\u2193 mostrano la scheda precedente e quella "
        "successiva. Ogni pulsante si raggiunge inoltre con il tasto Tab, che lo circonda di una cornice "
        "gialla, e si aziona con Invio o con la barra spaziatrice.");
}

// The scanner commands, which the editor offers beside those above.
QString paragrafoScanner()
{
    return QStringLiteral(
        "Le pagine si possono acquisire anche direttamente dallo scanner, senza passare da un altro programma: "
        "facendo clic con il tasto destro sull'immagine della pagina si sceglie Acquisisci dallo scanner... "
        "(oppure si preme Ctrl+Maiusc+A) per portare nella scheda sullo schermo la pagina appoggiata sullo "
        "scanner, come se fosse stata caricata da un file; la scansione viene archiviata quando si preme Salva. "
        "Con Acquisisci più pagine... (Ctrl+Maiusc+P) ogni foglio messo nell'alimentatore dello scanner diventa "
        "una nuova scheda, aggiunta in fondo all'archivio con gli stessi dati della scheda sullo schermo, come "
        "farebbe Duplica, e salvata subito con la sua scansione; al termine un messaggio riassume le schede "
        "inserite o dice a quale foglio e perché l'acquisizione si è fermata. Nella finestra di acquisizione si "
        "scelgono lo scanner, la risoluzione, il modo (colore, toni di grigio, bianco e nero) e l'origine dei "
        "fogli; le ultime scelte sono ricordate nel file acquisizione.ini della cartella di configurazione "
        "dell'utente (su Linux ~/.config/Velmora). Il pulsante Annulla o il tasto Esc interrompono "
        "l'acquisizione in qualsiasi momento.");
}

// The commands on the pages' text, in the scan picture's context menu.
QStringList paragrafiTesto()
{
    return {
        QStringLiteral(
            "Le pagine possono leggersi da sole. Facendo clic con il tasto destro del mouse sulla foto della pagina "
            "si apre un menu con i comandi sul testo. «Riconosci il testo della pagina» (Ctrl+R) legge il "
            "testo della scansione mostrata e riempie i campi Incipit pagina (le prime parole della pagina, "
            "parole intere, fino a 250 caratteri), Numero righe e Lingua (Italiano, Latino o Inglese), ma solo "
            "quelli ancora vuoti: quanto è già stato scritto non viene mai cambiato. Una barra mostra "
            "l'avanzamento e il pulsante Annulla interrompe la lettura. Nulla viene salvato finché non si preme "
            "Salva; con il salvataggio il testo letto viene conservato nell'indice dei testi delle pagine "
            "(il file Testi_Pagine.db nella cartella del programma). Dopo l'acquisizione di una pagina dallo "
            "scanner la stessa lettura parte da sola, in sottofondo e senza finestre: si può continuare a "
            "scrivere e, quando ha finito, riempie i campi ancora vuoti se sullo schermo c'è ancora quella "
            "pagina. Se l'indice risulta danneggiato viene messo da parte (Testi_Pagine.db.danneggiato) e "
            "ricreato vuoto, con un avviso: i testi si rileggono dalle scansioni con il comando seguente."),
        QStringLiteral(
            "«Riconosci il testo di tutte le pagine dell'archivio» (Ctrl+Maiusc+R) legge in sottofondo le "
            "scansioni di tutte le schede, usando tutti i processori del computer, mentre si continua a "
            "lavorare. Se viene interrotto con Annulla o chiudendo la schermata, la volta successiva riprende "
            "da dove si era fermato: le pagine già lette e la cui scansione non è cambiata non vengono rilette."),
        QStringLiteral(
            "«Cerca nel testo delle pagine...» (Ctrl+Maiusc+F) apre una finestra in cui scrivere una o più "
            "parole: vengono elencate le schede il cui testo le contiene tutte, con le parole trovate nel loro "
            "contesto. Maiuscole e accenti non contano («citta» trova anche «città»); una frase fra "
            "virgolette si cerca così com'è. Se le pagine trovate sono più di 200 vengono elencate le prime "
            "200, in ordine di posizione, e viene indicato il numero di tutte. Un doppio clic su una voce "
            "richiama la scheda."),
        QStringLiteral(
            "«Esporta PDF ricercabile...» (Ctrl+Maiusc+E) crea un unico file PDF con le scansioni di tutte le "
            "pagine dell'archivio e, sotto ciascuna, il testo riconosciuto, che i lettori di PDF permettono di "
            "cercare e copiare; ogni pagina ha un segnalibro con il suo titolo. Il programma propone il nome "
            "dell'archivio nella cartella del programma; se l'esportazione viene annullata non resta alcun file."),
    };
}

const QStringList &paragrafiEsportazione()
{
    static const QStringList p{
        QStringLiteral(
            "Il pulsante Esporta archivio consente di esportare le schede descrittive delle pagine del "
            "documento (ad eccezione delle scansioni fotografiche) in un foglio di lavoro di Excel, una riga "
            "per ogni scheda. Il file ottenuto si apre con qualsiasi programma in grado di leggere i file "
            "XLS."),
        QStringLiteral(
            "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
            "Excel. Confermata l'esportazione, il programma crea subito il file Pagine_Documento.xls nella "
            "cartella del programma e chiede se si desidera aprirlo: rispondendo affermativamente, il foglio di "
            "lavoro si apre con il programma che il sistema associa ai file XLS."),
        QStringLiteral(
            "A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
            "qualsiasi."),
    };
    return p;
}

} // namespace

TestoGuida testoGuida(ArgomentoGuida argomento)
{
    switch (argomento) {
    case ArgomentoGuida::Avvio:
        return {QStringLiteral("Uno sguardo a Velmora"), tratto(1, 23, false)};
    case ArgomentoGuida::CreaCatalogo:
    case ArgomentoGuida::ApriCatalogo:
        return {QStringLiteral("Creazione e apertura documenti"), tratto(3, 8, false)};
    case ArgomentoGuida::Documenti:
        return {QStringLiteral("Gestione pagine documento"), tratto(9, 18, true) << paragrafoTastiera()
                                                               << paragrafoScanner() << paragrafiTesto()};
    case ArgomentoGuida::Esportazione:
        return {QStringLiteral("Esportazione archivio pagine documento in Excel"), paragrafiEsportazione()};
    }
    return {};
}

QString unisciParagrafi(const QStringList &paragrafi)
{
    return paragrafi.join(QStringLiteral("\r\n\r\n"));
}

const std::array<ArgomentoGuida, 4> &capitoliGuida()
{
    static const std::array<ArgomentoGuida, 4> capitoli{ArgomentoGuida::Avvio, ArgomentoGuida::CreaCatalogo,
                                                         ArgomentoGuida::Documenti,
                                                         ArgomentoGuida::Esportazione};
    return capitoli;
}
