#!/usr/bin/env python3
"""Writes an archive of page records for the benchmarks, straight from the
record layout and Python's own cp1252 codec, without any of the program's
code: what the searches are timed on is not shaped by the encoder they read
back with.

Every descriptive field is filled to most of its capacity with accented
Italian text. About one record in five has "Rossi" near the end of a long
author, about one in five "lettera" (or "Lettera", "LETTERA") late in a long
title, so that the search "Autore contains rossi, Titolo contains lettera"
finds a few records in a hundred only after reading most of both fields.
One record in four is to be completed.

    genera_archivio.py N FILE
"""
import random
import struct
import sys

# (name, capacity) in file order: 28 length-prefixed fields, 3990 bytes.
CAMPI = [
    ("Titolo", 120), ("Codice", 20), ("Autore", 50), ("Creazione", 30),
    ("Modifica", 30), ("Tipologia", 50), ("PagNum", 20), ("RigheNum", 20),
    ("Carta", 50), ("Carattere", 50), ("Lingua", 50), ("Descrizione", 250),
    ("Incipit", 250), ("Parole", 250), ("Illustrazioni", 250),
    ("Annotazioni", 250), ("Formato", 50), ("Stato", 50),
    ("Collocazione", 120), ("Giudizio", 250), ("Note", 250),
    ("DaCompletare", 2), ("File01", 250), ("File02", 250), ("File03", 250),
    ("Desc01", 250), ("Desc02", 250), ("Desc03", 250),
]
DIMENSIONE = sum(c + 1 for _, c in CAMPI)
assert DIMENSIONE == 3990

PAROLE = (
    "perché città attività società università libertà verità qualità "
    "però così più già giù là lì Niccolò Fosco Piè Cantù Forlì Mosè "
    "registro contratto diario mappa inventario supplica verbale ricevuta "
    "bolla elenco perizia bottega notaio sigillo ceralacca pergamena carta "
    "inchiostro margine capoverso glossa postilla rubrica miniatura "
    "fascicolo quaderno carteggio copialettere protocollo testamento "
    "dell'abbazia sull'argine nell'anno d'umidità è è È à ò ù ì é"
).split()
NOMI = ("Giovanni Battista Maria Caterina Lucrezia Bartolomeo Niccolò "
        "Ludovico Agnese Beatrice Gherardo Ippolita Federico Tommaso").split()
COGNOMI = ("Bianchi Verdi Neri Gallo Costa Fontana Conti De Luca Mancini "
           "Lombardi Barbieri Esposito Ricci Marino Greco Ferrè Sciascià "
           "Niccolì Dall'Orto Cantù").split()


def testo(rnd, capacita, minimo=0.85):
    """Words up to between minimo and all of the capacity."""
    obiettivo = rnd.randint(int(capacita * minimo), capacita)
    parti = []
    lunghezza = 0
    while True:
        p = rnd.choice(PAROLE)
        extra = len(p) + (1 if parti else 0)
        if lunghezza + extra > obiettivo:
            break
        parti.append(p)
        lunghezza += extra
    return " ".join(parti)


def con_in_fondo(rnd, capacita, parola):
    """A long text with parola among its last characters."""
    corpo = testo(rnd, capacita - len(parola) - 1, 0.9)
    return (corpo + " " + parola)[:capacita]


def autore(rnd, rossi):
    nomi = " ".join(rnd.choice(NOMI) for _ in range(3))
    cognomi = " ".join(rnd.choice(COGNOMI) for _ in range(2))
    base = nomi + " " + cognomi
    if rossi:
        coda = rnd.choice(["Rossi", "ROSSI", "rossi", "Rossini"])
        base = base[: 50 - len(coda) - 1] + " " + coda
    return base[:50]


def record(rnd, i):
    valori = {}
    lettera = rnd.random() < 0.19
    parola = rnd.choice(["lettera", "Lettera", "LETTERA"])
    valori["Titolo"] = con_in_fondo(rnd, 120, parola) if lettera else testo(rnd, 120)
    valori["Codice"] = ("ARCH-%06d-%s" % (i, "ÀÈÌÒÙ"[i % 5]))[:20]
    valori["Autore"] = autore(rnd, rnd.random() < 0.19)
    valori["Creazione"] = "%02d/%02d/%04d, mercoledì" % (rnd.randint(1, 28), rnd.randint(1, 12),
                                                         rnd.randint(1400, 1899))
    valori["Modifica"] = "12/03/2024 alle ore 10:%02d" % (i % 60)
    valori["Tipologia"] = testo(rnd, 50)
    valori["PagNum"] = "%d bis" % (i % 4000 + 1)
    valori["RigheNum"] = "%d righe circa" % rnd.randint(10, 60)
    for nome in ("Carta", "Carattere", "Lingua", "Formato", "Stato"):
        valori[nome] = testo(rnd, 50)
    for nome in ("Descrizione", "Incipit", "Parole", "Illustrazioni", "Annotazioni", "Giudizio", "Note"):
        valori[nome] = testo(rnd, 250)
    valori["Collocazione"] = testo(rnd, 120)
    valori["DaCompletare"] = "Sì" if rnd.random() < 0.25 else "No"
    for k in (1, 2, 3):
        valori["File0%d" % k] = ("allegato_%d_%d_" % (i, k) + testo(rnd, 200)).replace(" ", "_")[:250]
        valori["Desc0%d" % k] = testo(rnd, 250)
    uscita = bytearray()
    for nome, capacita in CAMPI:
        b = valori[nome].encode("cp1252")[:capacita]
        uscita += struct.pack("B", len(b)) + b + bytes(capacita - len(b))
    assert len(uscita) == DIMENSIONE
    return bytes(uscita)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    n = int(sys.argv[1])
    rnd = random.Random(20261211)
    with open(sys.argv[2], "wb") as f:
        for i in range(n):
            f.write(record(rnd, i))


if __name__ == "__main__":
    main()
