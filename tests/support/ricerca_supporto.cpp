#include "support/ricerca_supporto.h"

#include "storage/archiviopagine.h"

#include <QFile>
#include <QListView>
#include <QTest>

#include <cstring>

TSchedaPagina schedaDiProva(const QString &titolo, const QString &autore, const QString &codice,
                            const QString &pagina, const QByteArray &flag)
{
    TSchedaPagina s = schedaVuota();
    impostaCampo(s, Campo::Titolo, titolo);
    impostaCampo(s, Campo::Autore, autore);
    impostaCampo(s, Campo::Codice, codice);
    impostaCampo(s, Campo::PagNum, pagina);
    std::memcpy(s.DaCompletare, flag.constData(), size_t(qMin<qsizetype>(flag.size(), 3)));
    return s;
}

bool scriviArchivio(const QString &percorso, const QVector<TSchedaPagina> &schede)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 byte = qint64(schede.size()) * kDimensioneScheda;
    return f.write(reinterpret_cast<const char *>(schede.constData()), byte) == byte;
}

QStringList vociLista(const QListView *lista)
{
    QStringList voci;
    const QAbstractItemModel *m = lista->model();
    for (int r = 0; r < m->rowCount(); ++r)
        voci.append(m->index(r, 0).data().toString());
    return voci;
}

void doppioClicVoce(QListView *lista, int riga)
{
    QPoint dove;
    if (riga >= 0) {
        const QModelIndex indice = lista->model()->index(riga, 0);
        lista->scrollTo(indice);
        dove = lista->visualRect(indice).topLeft() + QPoint(20, 5);
    } else {
        dove = QPoint(20, lista->viewport()->height() - 5);
    }
    // The widget form of a double click is the second click alone.
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, dove);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, dove);
}
