#!/usr/bin/python3
"""Walks the program's windows the way a screen reader's client reads them
(AT-SPI through pyatspi), opening each one as a user does, and checks what a
blind user meets there. Started by scripts/check-a11y.sh, which provides the
display, the session bus, the accessibility registry and the running program.

What fails the check, on every node a user can reach (hidden parts of a
window are left out, as a screen reader leaves them):
- a window that is not a frame, dialog or alert, or has no name;
- a focusable node without a name (list items and table cells hold data and
  may be empty);
- a text field without a name or without a label relation to a named node;
- a picture without a name (a picture that only decorates is no node at all);
- a container left empty (a box that only decorates) or a frame inside a
  window (the toolkit's role for a bare box);
- a list or table without a name, and any role outside the expected set.

It prints each window's tree, a line per node (role | name), and exits with
status 1 when anything failed.
"""

import subprocess
import sys
import time

import pyatspi

RUOLI_AMMESSI = {
    "frame", "dialog", "alert", "filler", "panel", "label", "text", "password text", "push button",
    "check box", "list", "list item", "table", "table cell", "column header", "table column header",
    "table row header", "row header", "image", "link", "scroll bar", "status bar", "combo box",
    "progress bar",
}
RUOLI_DATI = {"list item", "table cell", "column header", "table column header", "table row header",
              "row header"}
RUOLI_CAMPO = {"text", "password text", "entry", "combo box"}
RUOLI_ELENCO = {"list", "table", "tree", "tree table", "list box"}

errori = []


class NonTrovato(Exception):
    pass


def attendi(condizione, cosa, secondi=20.0):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        try:
            risultato = condizione()
        except Exception:  # a node may vanish while a window closes
            risultato = None
        if risultato:
            return risultato
        time.sleep(0.1)
    raise NonTrovato(cosa)


def applicazione():
    def cerca():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Velmora":
                return app
        return None
    return attendi(cerca, "il programma nel registro dell'accessibilità")


def visibile(nodo):
    return nodo.getState().contains(pyatspi.STATE_VISIBLE)


def finestra(nome, secondi=20.0):
    """The shown window of that name."""
    def cerca():
        for w in applicazione():
            if w is not None and w.name == nome and w.getState().contains(pyatspi.STATE_SHOWING):
                return w
        return None
    return attendi(cerca, f"la finestra «{nome}»", secondi)


def finestra_chiusa(nome):
    def chiusa():
        return all(w is None or w.name != nome or not w.getState().contains(pyatspi.STATE_SHOWING)
                   for w in applicazione())
    attendi(chiusa, f"la chiusura della finestra «{nome}»")


def nodi(radice):
    """Every node under the root that is not hidden, depth first."""
    for i in range(radice.childCount):
        figlio = radice.getChildAtIndex(i)
        if figlio is None or not visibile(figlio):
            continue
        yield figlio
        yield from nodi(figlio)


def trova(radice, ruolo, nome=None):
    for n in nodi(radice):
        if n.getRoleName() == ruolo and (nome is None or n.name == nome):
            return n
    raise NonTrovato(f"{ruolo} «{nome}» in «{radice.name}»")


def esegui(nodo):
    """Runs the node's own action, as a screen reader's command does: press
    a button, toggle a check box, select a list item."""
    azioni = nodo.queryAction()
    for i in range(azioni.nActions):
        if azioni.getName(i).lower() in ("press", "click", "toggle"):
            azioni.doAction(i)
            return
    raise NonTrovato(f"un'azione per «{nodo.name}»")


def premi(radice, nome, ruolo="push button"):
    esegui(attendi(lambda: trova(radice, ruolo, nome), f"{ruolo} «{nome}» in «{radice.name}»"))


def scrivi(radice, nome, testo):
    trova(radice, "text", nome).queryEditableText().setTextContents(testo)


def etichette(nodo):
    nomi = []
    for relazione in nodo.getRelationSet():
        if relazione.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            nomi += [relazione.getTarget(i).name for i in range(relazione.getNTargets())]
    return nomi


def esamina(titolo, attesi=None):
    """Prints the tree of the shown window and records what fails in it.
    `attesi` maps a role to how many reachable nodes of that role the window
    must have, so that a walk that reaches less than the window cannot pass."""
    radice = finestra(titolo)
    # A window fills its tree as it is laid out: let it settle.
    time.sleep(0.3)
    print(f"\n== {titolo}")
    problemi = []
    ruolo = radice.getRoleName()
    print(f"{ruolo} | {radice.name}")
    if ruolo not in ("frame", "dialog", "alert"):
        problemi.append(f"la finestra ha il ruolo «{ruolo}»")
    conta = {}

    def visita(nodo, livello, nei_dati=False):
        ruolo = nodo.getRoleName()
        nome = nodo.name
        stato = nodo.getState()
        linea = "  " * livello + f"{ruolo} | {nome}"
        if ruolo in RUOLI_CAMPO:
            linea += f"  [etichetta: {' / '.join(etichette(nodo)) or '-'}]"
        print(linea)
        conta[ruolo] = conta.get(ruolo, 0) + 1
        dove = f"{ruolo} «{nome}»"
        if ruolo not in RUOLI_AMMESSI:
            problemi.append(f"ruolo fuori posto: {dove}")
        if ruolo == "frame":
            problemi.append(f"un riquadro compare come cornice di finestra: {dove}")
        # (A table's own corner is part of the toolkit's table, not a box.)
        if ruolo in ("filler", "panel") and nodo.childCount == 0 and not nei_dati:
            problemi.append(f"contenitore vuoto, decorazione non esclusa: {dove}")
        if not nome and ruolo not in RUOLI_DATI:
            if stato.contains(pyatspi.STATE_FOCUSABLE):
                problemi.append(f"raggiungibile con il fuoco ma senza nome: {ruolo}")
            elif ruolo == "image":
                problemi.append("immagine senza nome")
            elif ruolo in RUOLI_ELENCO:
                problemi.append(f"elenco senza nome: {ruolo}")
        if ruolo in RUOLI_CAMPO:
            if not [e for e in etichette(nodo) if e]:
                problemi.append(f"campo senza etichetta collegata: {dove}")
        if ruolo in RUOLI_CAMPO:
            return  # a text box's own parts: viewport and scroll bars
        for i in range(nodo.childCount):
            figlio = nodo.getChildAtIndex(i)
            if figlio is not None and visibile(figlio):
                visita(figlio, livello + 1, ruolo in RUOLI_ELENCO)

    for i in range(radice.childCount):
        figlio = radice.getChildAtIndex(i)
        if figlio is not None and visibile(figlio):
            visita(figlio, 1)
    for ruolo, numero in (attesi or {}).items():
        if conta.get(ruolo, 0) != numero:
            problemi.append(f"attesi {numero} nodi «{ruolo}», trovati {conta.get(ruolo, 0)}")
    for p in problemi:
        print(f"   ERRORE: {p}")
        errori.append(f"{titolo}: {p}")
    return radice


def rispondi_messaggio(pulsante="OK"):
    """Answers the program's message box, after reading it like a window."""
    def cerca():
        for w in applicazione():
            if w is not None and w.getRoleName() in ("alert", "dialog") \
                    and w.getState().contains(pyatspi.STATE_SHOWING) and w.name in ("Information", "Warning",
                                                                                     "Error", "Confirm", ""):
                return w
        return None
    messaggio = attendi(cerca, "un messaggio del programma")
    premi(messaggio, pulsante)
    # A button's press action clicks it a moment later: until the message
    # has gone, the window beneath takes no command.
    def chiuso():
        try:
            stato = messaggio.getState()
        except Exception:  # already destroyed
            return True
        return stato.contains(pyatspi.STATE_DEFUNCT) or not stato.contains(pyatspi.STATE_SHOWING)
    attendi(chiuso, "la chiusura del messaggio")


def percorso():
    login = esamina("Velmora - Autenticazione", {"password text": 1, "image": 1})
    premi(login, "Cambia password")
    cambia = esamina("Cambia password", {"password text": 3, "image": 1})
    premi(cambia, "Chiudi")

    login = finestra("Velmora - Autenticazione")
    trova(login, "password text").queryEditableText().setTextContents("primaveralunga")
    premi(login, "OK")

    avvio = esamina("Velmora", {"image": 2})
    for comando, titolo in (("Guida", "Guida all'utilizzo del software"),
                            ("Informazioni", "Informazioni su Velmora")):
        premi(avvio, comando)
        esamina(titolo)
        premi(finestra(titolo), "Chiudi")
        finestra_chiusa(titolo)

    premi(avvio, "Crea nuovo documento")
    crea = esamina("Velmora - Creazione documento", {"text": 1, "image": 1})
    scrivi(crea, "Nome del nuovo documento", "Prova accessibile")
    premi(crea, "Applica e chiudi")
    rispondi_messaggio()
    finestra_chiusa("Velmora - Creazione documento")

    avvio = finestra("Velmora")
    premi(avvio, "Apri documento esistente")
    apri = esamina("Velmora - Apertura documento", {"list": 1, "image": 1})
    esegui(trova(trova(apri, "list", "Documenti esistenti"), "list item", "Prova accessibile.kpx"))
    premi(apri, "Apri archivio")

    titolo_editor = "Velmora - Gestione pagine documento"
    editor = esamina(titolo_editor, {"text": 21, "check box": 1})
    for campo, testo in (("Titolo pagina", "Lettera di Verdi"), ("Codice univoco", "AB-001"),
                         ("Autore", "Giuseppe Verdi"), ("Pagina n.", "1")):
        scrivi(editor, campo, testo)
    premi(editor, "Da completare", "check box")
    premi(editor, "Salva scheda")
    rispondi_messaggio()

    for comando, titolo, attesi, uscita in (
            ("Trova scheda", "Trova pagine in archivio", {"text": 10, "image": 1}, None),
            ("Pagine da completare", "Riepilogo pagine da completare", {"text": 1, "list": 1}, "Chiudi"),
            ("Esporta in Excel", "Esporta archivio pagine documento in Excel", {"table": 1}, "Esci"),
            ("Allega file", "Allega file", {"text": 6, "image": 1}, "Annulla"),
            ("Guida", "Guida all'utilizzo del software", {"text": 1, "image": 1}, "Chiudi")):
        premi(finestra(titolo_editor), comando)
        dialogo = esamina(titolo, attesi)
        if uscita is None:
            # The search: its criteria first, then the results of an empty
            # search (every record), in the same window.
            premi(dialogo, "Cerca")
            attendi(lambda: trova(finestra(titolo), "list"), "l'elenco dei risultati")
            dialogo = esamina(titolo, {"text": 1, "list": 1})
            uscita = "Chiudi"
        premi(dialogo, uscita)
        finestra_chiusa(titolo)

    # The search in the pages' text: its command lives on the scan picture's
    # context menu, so it is opened by its key, as a keyboard user does.
    finestra(titolo_editor)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+shift+f"], check=True)
    titolo = "Cerca nel testo delle pagine"
    dialogo = esamina(titolo, {"text": 1, "list": 1})
    scrivi(dialogo, "Parole da cercare", "lettera")
    premi(dialogo, "Cerca")
    dialogo = esamina(titolo, {"text": 1, "list": 1})
    premi(dialogo, "Chiudi")
    finestra_chiusa(titolo)

    # The acquisition from the scanner, on its key as well; the walk's SANE
    # configuration holds the driver stack's test scanners.
    finestra(titolo_editor)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "ctrl+shift+a"], check=True)
    titolo = "Acquisisci dallo scanner"
    dialogo = finestra(titolo)
    attendi(lambda: trova(finestra(titolo), "push button", "Acquisisci").getState().contains(
        pyatspi.STATE_ENABLED), "gli scanner e le loro impostazioni")
    dialogo = esamina(titolo, {"combo box": 4, "progress bar": 1, "image": 1})
    premi(dialogo, "Annulla")
    finestra_chiusa(titolo)

    # The editor once more, as it shows a saved record.
    esamina(titolo_editor, {"text": 21, "check box": 1})


def main():
    try:
        percorso()
    except NonTrovato as e:
        errori.append(f"il percorso si è fermato: non trovato {e}")
    print()
    if errori:
        print(f"check-a11y: {len(errori)} problemi")
        for e in errori:
            print(f"  {e}")
        return 1
    print("check-a11y: ogni finestra si legge per intero")
    return 0


if __name__ == "__main__":
    sys.exit(main())
