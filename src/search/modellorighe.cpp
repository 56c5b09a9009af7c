#include "search/modellorighe.h"

#include <QBrush>
#include <QFontMetrics>
#include <QSize>

ModelloRighe::ModelloRighe(QObject *parent)
    : QAbstractListModel(parent)
    , m_carattere(QStringLiteral("Courier New"))
{
    m_carattere.setPointSize(12);
    m_carattere.setStyleHint(QFont::Monospace);
}

void ModelloRighe::impostaRighe(ElencoRighe righe)
{
    beginResetModel();
    m_righe = std::move(righe);
    endResetModel();
}

void ModelloRighe::svuota()
{
    impostaRighe(ElencoRighe());
}

void ModelloRighe::impostaLarghezzaVoci(int larghezza)
{
    if (larghezza == m_larghezza)
        return;
    // Views lay uniform items out from the first one: a new width means a
    // new layout.
    beginResetModel();
    m_larghezza = larghezza;
    endResetModel();
}

int ModelloRighe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_righe.size());
}

QVariant ModelloRighe::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= m_righe.size())
        return QVariant();
    switch (ruolo) {
    case Qt::DisplayRole:
        return m_righe.at(indice.row());
    case Qt::FontRole:
        return m_carattere;
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::SizeHintRole:
        if (m_larghezza > 0) {
            // Measured when first asked: finding the font is the dearest
            // part of making the window, and most windows never list.
            if (m_altezza == 0)
                m_altezza = QFontMetrics(m_carattere).height() + 2;
            return QSize(m_larghezza, m_altezza);
        }
        return QVariant();
    default:
        return QVariant();
    }
}
