#pragma once

#include "app/tastocomando.h"

#include <QObject>
#include <QString>

class MarcaFuoco;
class QLabel;
class QWidget;

// A link: an underlined dark-blue text with a small picture beside it that
// acts as the same link. Pressing either turns the text orange, releasing
// turns it dark blue again, and a click opens the target with TMisc::Open.
// Tab reaches the link at its text (the picture is no second stop), which
// the focus ring then marks; Enter or Space works it as a click does. To
// assistive technology both are a link named by the text, whose press
// opens the target.
class Collegamento : public QObject
{
    Q_OBJECT
public:
    Collegamento(QLabel *testo, QWidget *immagine, const QString &destinazione);

    QString destinazione() const { return m_destinazione; }
    // Opens the target as a click does, while the link can be clicked.
    void apri();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void colora(const QColor &colore);

    QLabel *m_testo;
    QString m_destinazione;
    MarcaFuoco *m_marca;
    TastoComando m_tasto;
};
