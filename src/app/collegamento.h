#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

// A link: an underlined dark-blue text with a small picture beside it that
// acts as the same link. Pressing either turns the text orange, releasing
// turns it dark blue again, and a click opens the target with TMisc::Open.
class Collegamento : public QObject
{
    Q_OBJECT
public:
    Collegamento(QLabel *testo, QWidget *immagine, const QString &destinazione);

    QString destinazione() const { return m_destinazione; }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void colora(const QColor &colore);

    QLabel *m_testo;
    QString m_destinazione;
};
